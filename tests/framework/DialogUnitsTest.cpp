#include "DialogUnits.h"

#include <QFont>
#include <QFontMetricsF>

#include <gtest/gtest.h>

namespace {

struct Conversion {
    DialogBaseUnits base;
    QRect units;
    QRect pixels;
};

class DialogUnitConversion : public testing::TestWithParam<Conversion> {};

TEST_P(DialogUnitConversion, MapsEachEdgeAtItsBase)
{
    const Conversion& c = GetParam();
    const QRect& u = c.units;
    EXPECT_EQ(DialogUnitRect(c.base, u.x(), u.y(), u.width(), u.height()), c.pixels);
    EXPECT_EQ(DialogUnitSize(c.base, u.width(), u.height()), c.pixels.size());
}

INSTANTIATE_TEST_SUITE_P(
    DialogUnits, DialogUnitConversion,
    testing::Values(
        // The base the .ui files were drawn at.
        Conversion{{6, 13}, QRect(45, 135, 80, 14), QRect(68, 219, 120, 23)},
        Conversion{{6, 13}, QRect(0, 0, 0, 0), QRect(0, 0, 0, 0)},
        // A larger face: everything grows with it.
        Conversion{{8, 16}, QRect(45, 135, 80, 14), QRect(90, 270, 160, 28)},
        // Halves round away from zero: 7/4 = 1.75, 14/4 = 3.5, 15/8 = 1.875.
        Conversion{{7, 15}, QRect(1, 1, 2, 4), QRect(2, 2, 4, 8)}));

TEST(DialogUnits, DesignPixelsGiveTheirUnitsBack)
{
    const DialogBaseUnits design{6, 13};
    for (int units = 0; units <= 600; ++units) {
        const QRect pixels = DialogUnitRect(design, units, units, units, units);
        ASSERT_EQ(UnitsFromDesignPixels(pixels), QRect(units, units, units, units)) << units;
    }
    EXPECT_EQ(UnitsFromDesignPixels(QSize(395, 254)), QSize(263, 156));
}

TEST(DialogUnits, BaseGrowsWithTheFont)
{
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPointSizeF(7.5);
    QFont large(small);
    large.setPointSizeF(12);
    const DialogBaseUnits smallBase = MeasureBaseUnits(small);
    const DialogBaseUnits largeBase = MeasureBaseUnits(large);
    // The face used where the desktop sets none lays dialogs out as drawn.
    EXPECT_EQ(smallBase.x, 6);
    EXPECT_EQ(smallBase.y, 13);
    EXPECT_GE(largeBase.x, smallBase.x * 3 / 2);
    EXPECT_GE(largeBase.y, smallBase.y * 3 / 2);
    // Never narrower than the average letter or shorter than a line.
    const QFontMetricsF metrics(large);
    EXPECT_GE(largeBase.x, metrics.averageCharWidth());
    EXPECT_GE(largeBase.y, metrics.lineSpacing());
}

}  // namespace
