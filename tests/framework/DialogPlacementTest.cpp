#include "DialogPlacement.h"
#include "DialogUnits.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

QFont Face(const char* family, double points)
{
    QFont font(QString::fromLatin1(family));
    font.setPointSizeF(points);
    return font;
}

// A dialog as setupUi leaves it: 263 by 156 units, a label and its box at
// 7,28 and 100,26, and a 32-pixel picture at 11,9, in design pixels.
struct Dialog {
    QDialog dialog;
    QLabel* label = new QLabel(QStringLiteral("Article Name *"), &dialog);
    QLineEdit* edit = new QLineEdit(&dialog);
    QLabel* picture = new QLabel(&dialog);

    explicit Dialog(const QFont& font)
    {
        dialog.setFont(font);
        dialog.resize(395, 254);
        label->setGeometry(11, 46, 125, 24);
        edit->setGeometry(150, 42, 188, 23);
        QPixmap image(32, 32);
        image.fill(Qt::red);
        picture->setPixmap(image);
        picture->setGeometry(17, 15, 32, 32);
    }
};

class Placement : public testing::TestWithParam<QFont> {};

TEST_P(Placement, ControlsTakeTheirUnitsInTheDialogsFont)
{
    Dialog d(GetParam());
    PlaceInDialogUnits(d.dialog);
    const DialogBaseUnits base = MeasureBaseUnits(GetParam());
    EXPECT_EQ(d.dialog.size(), DialogUnitSize(base, 263, 156));
    EXPECT_EQ(d.dialog.minimumSize(), d.dialog.maximumSize()) << "the size is fixed";
    EXPECT_EQ(d.label->geometry(), DialogUnitRect(base, 7, 28, 83, 15));
    EXPECT_EQ(d.edit->geometry(), DialogUnitRect(base, 100, 26, 125, 14));
    // A picture moves but keeps its own size.
    EXPECT_EQ(d.picture->geometry(), QRect(DialogUnitRect(base, 11, 9, 0, 0).topLeft(), QSize(32, 32)));
    EXPECT_EQ(d.label->alignment() & Qt::AlignVertical_Mask, Qt::AlignTop) << "static text starts at the top";
    EXPECT_EQ(d.edit->alignment() & Qt::AlignVertical_Mask, Qt::AlignTop) << "so does the box's text";
}

INSTANTIATE_TEST_SUITE_P(DialogPlacement, Placement,
                         testing::Values(Face("Liberation Sans", 7.5), Face("Liberation Sans", 12),
                                         Face("DejaVu Sans", 10)));

TEST(DialogPlacement, AFontSetLaterLaysTheDialogOutAgain)
{
    Dialog d(Face("Liberation Sans", 7.5));
    d.label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PlaceInDialogUnits(d.dialog);
    EXPECT_EQ(d.label->alignment(), Qt::AlignRight | Qt::AlignTop);

    const QFont large = Face("Liberation Sans", 14);
    d.dialog.setFont(large);
    const DialogBaseUnits base = MeasureBaseUnits(large);
    EXPECT_EQ(d.dialog.size(), DialogUnitSize(base, 263, 156));
    EXPECT_EQ(d.edit->geometry(), DialogUnitRect(base, 100, 26, 125, 14));

    // A control the dialog's code deleted is left out.
    delete d.edit;
    d.dialog.setFont(Face("DejaVu Sans", 10));
    EXPECT_EQ(d.label->geometry(), DialogUnitRect(MeasureBaseUnits(d.dialog.font()), 7, 28, 83, 15));
}

}  // namespace
