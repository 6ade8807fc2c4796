#include "DialogStyle.h"

#include "DeferredIcon.h"

#include <QPainter>
#include <QPointer>
#include <QStyleOption>
#include <qdrawutil.h>

namespace {

const QStyleOptionGroupBox* TitledFrame(QStyle::ComplexControl control, const QStyleOptionComplex* option)
{
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != QStyle::CC_GroupBox || !box || (box->subControls & QStyle::SC_GroupBoxCheckBox))
        return nullptr;
    return box;
}

// The title, with a little room either side where the line stops.
QRect TitleRect(const QStyleOptionGroupBox& box)
{
    if (box.text.isEmpty())
        return {};
    const QFontMetrics& metrics = box.fontMetrics;
    const int gap = 2;
    const QSize size = metrics.size(Qt::TextShowMnemonic, box.text) + QSize(2 * gap, 0);
    const QRect& r = box.rect;
    const int indent = metrics.averageCharWidth();
    int left = r.left() + indent;
    switch (box.textAlignment & Qt::AlignHorizontal_Mask) {
    case Qt::AlignHCenter:
        left = r.left() + (r.width() - size.width()) / 2;
        break;
    case Qt::AlignRight:
        left = r.right() - indent - size.width() + 1;
        break;
    default:
        break;
    }
    return QStyle::visualRect(box.direction, r, QRect(QPoint(left, r.top()), size));
}

}  // namespace

QRect CDialogStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                                   const QWidget* widget) const
{
    const QStyleOptionGroupBox* box = TitledFrame(control, option);
    if (!box)
        return QProxyStyle::subControlRect(control, option, part, widget);
    const QRect& r = box->rect;
    const int lineTop = r.top() + box->fontMetrics.height() / 2;
    switch (part) {
    case SC_GroupBoxLabel:
        return TitleRect(*box);
    case SC_GroupBoxFrame:
        return QRect(r.left(), lineTop, r.width(), r.bottom() - lineTop + 1);
    case SC_GroupBoxContents:
        return r.adjusted(2, box->fontMetrics.height(), -2, -2);
    default:
        return QProxyStyle::subControlRect(control, option, part, widget);
    }
}

void CDialogStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                      const QWidget* widget) const
{
    const QStyleOptionGroupBox* box = TitledFrame(control, option);
    if (!box) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    if (box->subControls & SC_GroupBoxFrame) {
        // An etched line that stops short of the title.
        painter->save();
        painter->setClipRegion(QRegion(box->rect) - subControlRect(control, box, SC_GroupBoxLabel, widget));
        qDrawShadeRect(painter, subControlRect(control, box, SC_GroupBoxFrame, widget), box->palette, true, 1, 0);
        painter->restore();
    }
    if ((box->subControls & SC_GroupBoxLabel) && !box->text.isEmpty()) {
        int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
        if (!proxy()->styleHint(SH_UnderlineShortcut, box, widget))
            flags |= Qt::TextHideMnemonic;
        proxy()->drawItemText(painter, subControlRect(control, box, SC_GroupBoxLabel, widget), flags, box->palette,
                              box->state & State_Enabled, box->text, QPalette::WindowText);
    }
}

QIcon CDialogStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    const bool extension = icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton;
    // An option lives only for this call: only icons asked for without one wait.
    if (!extension || option)
        return QProxyStyle::standardIcon(icon, option, widget);
    return DeferredIcon([style = QPointer<const CDialogStyle>(this), icon, owner = QPointer<const QWidget>(widget)] {
        return style ? style->QProxyStyle::standardIcon(icon, nullptr, owner) : QIcon();
    });
}
