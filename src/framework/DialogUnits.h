#pragma once
#include <QRect>

class QFont;

// A dialog unit is a quarter of the dialog font's average letter width across
// and an eighth of its line height down, so a dialog grows with its font.
struct DialogBaseUnits {
    int x = 0;  // average width of A-Z a-z
    int y = 0;  // line height
};
DialogBaseUnits MeasureBaseUnits(const QFont& font);

QRect DialogUnitRect(DialogBaseUnits base, int x, int y, int width, int height);
QSize DialogUnitSize(DialogBaseUnits base, int width, int height);

// The .ui files hold positions converted at a base of 6 by 13 pixels, so that
// Designer shows the dialogs as designed; this gives their dialog units back.
QRect UnitsFromDesignPixels(const QRect& pixels);
QSize UnitsFromDesignPixels(const QSize& pixels);

// A width in pixels chosen for the 6-pixel design base, in the given base.
int ScaleDesignWidth(DialogBaseUnits base, int pixels);
