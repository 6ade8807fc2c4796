#include "DeferredIcon.h"
#include "DialogStyle.h"
#include "PngPicture.h"

#include <QImage>
#include <QMenuBar>
#include <QPainter>
#include <QStyleFactory>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

namespace {

QIcon TwoSizeIcon()
{
    QIcon icon;
    for (const auto& [side, colour] : {std::pair{16, Qt::red}, std::pair{32, Qt::blue}}) {
        QPixmap picture(side, side);
        picture.fill(colour);
        icon.addPixmap(picture);
    }
    return icon;
}

// What an icon answers, reduced to something comparable.
using Question = std::function<QVariant(const QIcon&)>;

QVariant Image(const QPixmap& picture) { return picture.toImage(); }

TEST(DeferredIcon, MakesItsPicturesAtTheFirstQuestionAndAnswersAsTheMadeIcon)
{
    const QIcon made = TwoSizeIcon();
    const std::vector<std::pair<const char*, Question>> questions = {
        {"sizes", [](const QIcon& icon) { return QVariant::fromValue(icon.availableSizes()); }},
        {"actual size", [](const QIcon& icon) { return QVariant(icon.actualSize(QSize(24, 24))); }},
        {"small picture", [](const QIcon& icon) { return Image(icon.pixmap(16)); }},
        {"large picture", [](const QIcon& icon) { return Image(icon.pixmap(32)); }},
        {"disabled picture", [](const QIcon& icon) { return Image(icon.pixmap(32, QIcon::Disabled)); }},
        {"picture at twice the pixels", [](const QIcon& icon) { return Image(icon.pixmap(QSize(16, 16), 2.0)); }},
        {"painted", [](const QIcon& icon) {
             QImage canvas(40, 40, QImage::Format_ARGB32_Premultiplied);
             canvas.fill(Qt::transparent);
             QPainter painter(&canvas);
             icon.paint(&painter, QRect(2, 2, 36, 36));
             return QVariant(canvas);
         }},
    };
    for (const auto& [name, ask] : questions) {
        int making = 0;
        const QIcon icon = DeferredIcon([&] {
            ++making;
            return made;
        });
        EXPECT_FALSE(icon.isNull()) << name;
        EXPECT_EQ(making, 0) << name;
        EXPECT_EQ(ask(icon), ask(made)) << name;
        ask(icon);
        EXPECT_EQ(making, 1) << name;
    }
}

TEST(DeferredIcon, IsNullOnceMadeWhenItsRecipeGivesNothing)
{
    const QIcon icon = DeferredIcon([] { return QIcon(); });
    EXPECT_TRUE(icon.pixmap(16).isNull());
    EXPECT_TRUE(icon.isNull());
}

TEST(DialogStyle, ExtensionArrowsAreTheBaseStylesOwn)
{
    CDialogStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
    const std::unique_ptr<QStyle> base(QStyleFactory::create(QStringLiteral("Fusion")));
    QMenuBar bar;
    for (const auto arrow : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        const QIcon ours = style.standardIcon(arrow, nullptr, &bar);
        const QIcon expected = base->standardIcon(arrow, nullptr, &bar);
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(ours.availableSizes(), expected.availableSizes()) << arrow;
        EXPECT_EQ(ours.pixmap(16).toImage(), expected.pixmap(16).toImage()) << arrow;
    }
}

TEST(PngPicture, ReadsAPngAsAGuessingReadDoesAndNothingElse)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QImage drawn(7, 5, QImage::Format_ARGB32);
    drawn.fill(QColor(10, 200, 30, 128));
    const QString png = folder.filePath(QStringLiteral("drawn.png"));
    const QString bmp = folder.filePath(QStringLiteral("drawn.bmp"));
    ASSERT_TRUE(drawn.save(png, "PNG"));
    ASSERT_TRUE(drawn.save(bmp, "BMP"));

    EXPECT_EQ(PngPixmap(png).toImage(), QPixmap(png).toImage());
    EXPECT_EQ(PngIcon(png).pixmap(7, 5).toImage(), QIcon(png).pixmap(7, 5).toImage());
    for (const QString& notPng : {bmp, folder.filePath(QStringLiteral("missing.png"))}) {
        EXPECT_TRUE(PngPixmap(notPng).isNull()) << notPng.toStdString();
        EXPECT_TRUE(PngIcon(notPng).isNull()) << notPng.toStdString();
    }
}

}  // namespace
