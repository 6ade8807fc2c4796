#include "PngPicture.h"

#include <QImage>
#include <QImageReader>

QPixmap PngPixmap(const QString& path)
{
    QImageReader reader(path, QByteArrayLiteral("png"));
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QIcon PngIcon(const QString& path)
{
    const QPixmap picture = PngPixmap(path);
    return picture.isNull() ? QIcon() : QIcon(picture);
}
