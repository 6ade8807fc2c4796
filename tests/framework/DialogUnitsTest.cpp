#include "DialogUnits.h"

#include <gtest/gtest.h>

TEST(DialogUnits, ConvertAtTheClassicBase)
{
    EXPECT_EQ(DialogUnitRect(45, 135, 80, 14), QRect(68, 219, 120, 23));
    EXPECT_EQ(DialogUnitSize(263, 156), QSize(395, 254));
    EXPECT_EQ(DialogUnitRect(0, 0, 0, 0), QRect(0, 0, 0, 0));
}
