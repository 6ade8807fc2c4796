#include "DialogUnits.h"

#include <QFontMetricsF>

#include <cmath>

namespace {
constexpr double kDesignAcross = 6.0 / 4;
constexpr double kDesignDown = 13.0 / 8;

// Rounds half away from zero, as the conversion of a dialog template does.
int Scale(int units, int base, int parts) { return int(std::lround(double(units) * base / parts)); }
int Across(DialogBaseUnits base, int units) { return Scale(units, base.x, 4); }
int Down(DialogBaseUnits base, int units) { return Scale(units, base.y, 8); }
int Unscale(int pixels, double perUnit) { return int(std::lround(pixels / perUnit)); }
}  // namespace

DialogBaseUnits MeasureBaseUnits(const QFont& font)
{
    // Whole pixels, as the platform counts them, but rounded up rather than
    // to the nearest: a face whose words run wider than its average letter
    // must not lose the ends of its texts to the rounding. Down, a line as a
    // label spaces its lines and a pixel between lines, so that two lines fit
    // the 15 units the designs give them. The dialog face where the desktop
    // sets none comes out at 6 by 13, the base the .ui files were drawn at.
    const QFontMetricsF metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {int(std::ceil(metrics.horizontalAdvance(letters) / letters.size())),
            int(std::ceil(metrics.lineSpacing())) + 1};
}

QRect DialogUnitRect(DialogBaseUnits base, int x, int y, int width, int height)
{
    return QRect(Across(base, x), Down(base, y), Across(base, width), Down(base, height));
}

QSize DialogUnitSize(DialogBaseUnits base, int width, int height)
{
    return QSize(Across(base, width), Down(base, height));
}

QRect UnitsFromDesignPixels(const QRect& pixels)
{
    return QRect(Unscale(pixels.x(), kDesignAcross), Unscale(pixels.y(), kDesignDown),
                 Unscale(pixels.width(), kDesignAcross), Unscale(pixels.height(), kDesignDown));
}

QSize UnitsFromDesignPixels(const QSize& pixels)
{
    return UnitsFromDesignPixels(QRect(QPoint(), pixels)).size();
}

int ScaleDesignWidth(DialogBaseUnits base, int pixels)
{
    return int(std::lround(pixels / kDesignAcross * base.x / 4));
}
