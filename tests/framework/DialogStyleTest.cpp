#include "DialogStyle.h"

#include <QGroupBox>
#include <QImage>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>

#include <gtest/gtest.h>

namespace {

QStyleOptionGroupBox Option(const QGroupBox& box)
{
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = box.title();
    option.textAlignment = box.alignment();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    return option;
}

// Each desktop style puts its titles somewhere else; the rule holds over all.
class GroupBoxTitle : public testing::TestWithParam<const char*> {
protected:
    GroupBoxTitle() : style(QStyleFactory::create(QString::fromLatin1(GetParam())))
    {
        box.setTitle(QStringLiteral("File to Stamp"));
        box.setGeometry(0, 0, 300, 120);
        box.setStyle(&style);
    }

    CDialogStyle style;
    QGroupBox box;
};

TEST_P(GroupBoxTitle, SitsOnTheFramesTopEdge)
{
    const QStyleOptionGroupBox option = Option(box);
    const QRect title = style.subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    const QRect frame = style.subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, &box);
    EXPECT_EQ(title.top(), box.rect().top()) << "the title starts at the top of the box";
    EXPECT_GT(frame.top(), title.top());
    EXPECT_LT(frame.top(), title.bottom()) << "the frame's top line runs through the title's line";
    EXPECT_GT(title.left(), frame.left()) << "the title leaves the frame's corner";
    EXPECT_GE(title.width(), box.fontMetrics().horizontalAdvance(box.title()));
}

TEST_P(GroupBoxTitle, TheLineStopsShortOfTheTitle)
{
    const QStyleOptionGroupBox option = Option(box);
    const QRect title = style.subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    const QRect frame = style.subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, &box);
    const QImage picture = box.grab().toImage();
    const QRgb background = picture.pixel(box.width() / 2, box.height() / 2);
    // The top line is drawn right of the title, and not under its first
    // letter's left edge, where the title leaves a gap.
    EXPECT_NE(picture.pixel(title.right() + 20, frame.top()), background);
    EXPECT_EQ(picture.pixel(title.left(), frame.top()), background);
    // Nothing of the frame above its line.
    EXPECT_EQ(picture.pixel(title.right() + 20, frame.top() - 1), background);
}

INSTANTIATE_TEST_SUITE_P(DialogStyle, GroupBoxTitle, testing::Values("Fusion", "Windows"));

}  // namespace
