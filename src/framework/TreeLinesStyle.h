#pragma once
#include <QProxyStyle>

#include <memory>

// The application's style, except that tree branches are drawn as dotted
// connecting lines with +/- boxes, the way the platform's tree control draws
// them when it has buttons and lines. Set on a tree only; the tree owns it.
class CTreeLinesStyle : public QProxyStyle {
public:
    CTreeLinesStyle();
    ~CTreeLinesStyle() override;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;

private:
    std::unique_ptr<QStyle> lines_;  // draws only the branches
};
