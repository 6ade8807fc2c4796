#include "MultiLineButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

CMultiLineButton::CMultiLineButton(QWidget* parent) : QPushButton(parent) {}

void CMultiLineButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString text = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.drawItemText(area, Qt::AlignCenter | Qt::TextWordWrap, option.palette, isEnabled(), text,
                         QPalette::ButtonText);
}
