#include "DialogUnits.h"

#include <cmath>

namespace {
int Across(int units) { return int(std::lround(units * 1.5)); }
int Down(int units) { return int(std::lround(units * 1.625)); }
}  // namespace

QRect DialogUnitRect(int x, int y, int width, int height)
{
    return QRect(Across(x), Down(y), Across(width), Down(height));
}

QSize DialogUnitSize(int width, int height)
{
    return QSize(Across(width), Down(height));
}
