#include "TreeLinesStyle.h"

#include <QStyleFactory>

// The Windows style, built into Qt Widgets everywhere, draws exactly these
// branches; everything else keeps the application's look.
CTreeLinesStyle::CTreeLinesStyle() : lines_(QStyleFactory::create(QStringLiteral("Windows"))) {}

CTreeLinesStyle::~CTreeLinesStyle() = default;

void CTreeLinesStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const
{
    if (element == PE_IndicatorBranch && lines_)
        lines_->drawPrimitive(element, option, painter, widget);
    else
        QProxyStyle::drawPrimitive(element, option, painter, widget);
}
