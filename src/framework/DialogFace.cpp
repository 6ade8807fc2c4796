#include "DialogFace.h"

QFont DialogFace()
{
    // 7.5 points is 10 pixels on the screen; a printer scales it to its own
    // resolution, as it would not a size given in pixels.
    QFont face(QStringLiteral("Liberation Sans"));
    face.setPointSizeF(7.5);
    return face;
}
