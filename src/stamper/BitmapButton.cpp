#include "BitmapButton.h"

#include <QPainter>

CBitmapButton::CBitmapButton(QWidget* parent) : QPushButton(parent) {}

bool CBitmapButton::LoadBitmap(const QString& path)
{
    const bool loaded = bitmap_.load(path);
    update();
    return loaded;
}

void CBitmapButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QSize room = size() - bitmap_.size();
    painter.drawPixmap(room.width() / 2, room.height() / 2, bitmap_);
}
