#include "DialogFace.h"

namespace {
// What Qt gives when no platform theme sets a font.
bool IsQtFallback(const QFont& font)
{
    return font.family() == QLatin1String("Sans Serif") && font.pointSizeF() == 9.0;
}
}  // namespace

QFont DialogFace(const QFont& desktopFont)
{
    return IsQtFallback(desktopFont) ? ClassicDialogFace() : desktopFont;
}

QFont ClassicDialogFace()
{
    // In points, so a printer scales it to its own resolution as it would not
    // a size given in pixels.
    QFont face(QStringLiteral("Liberation Sans"));
    face.setPointSizeF(7.5);
    return face;
}
