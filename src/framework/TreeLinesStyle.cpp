#include "TreeLinesStyle.h"

#include <QPainter>
#include <QStyleFactory>
#include <QTreeView>

namespace {

constexpr int kBoxSize = 9;  // the +/- box the Windows style draws

bool IsFirstAtRoot(const QRect& branch, const QWidget* widget)
{
    const auto* tree = qobject_cast<const QTreeView*>(widget);
    if (!tree)
        return false;
    const QModelIndex index = tree->indexAt(branch.center());
    return index.isValid() && !index.parent().isValid() && index.row() == 0;
}

}  // namespace

// The Windows style, built into Qt Widgets everywhere, draws exactly these
// branches; everything else keeps the application's look.
CTreeLinesStyle::CTreeLinesStyle() : lines_(QStyleFactory::create(QStringLiteral("Windows"))) {}

CTreeLinesStyle::~CTreeLinesStyle() = default;

void CTreeLinesStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const
{
    if (element != PE_IndicatorBranch || !lines_) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Nothing leads into the first item at the root, so no line runs up
    // from it: only what is below its box or its middle is drawn.
    painter->save();
    if (IsFirstAtRoot(option->rect, widget)) {
        const int middle = option->rect.y() + option->rect.height() / 2;
        const int top = middle - (option->state & State_Children ? kBoxSize / 2 : 0);
        painter->setClipRect(QRect(option->rect.left(), top, option->rect.width(), option->rect.bottom() - top + 1),
                             Qt::IntersectClip);
    }
    lines_->drawPrimitive(element, option, painter, widget);
    painter->restore();
}
