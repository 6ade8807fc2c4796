#include "BitmapButton.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>

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

    // The keyboard focus is marked where and when the style marks it on any
    // other button.
    QStyleOptionButton button;
    initStyleOption(&button);
    if (!(button.state & QStyle::State_HasFocus))
        return;
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(button);
    focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &button, this);
    focus.backgroundColor = palette().color(QPalette::Button);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}
