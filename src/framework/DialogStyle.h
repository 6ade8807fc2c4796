#pragma once
#include <QProxyStyle>

// The desktop's style with the rules a dialog laid out in dialog units needs:
// a group box's title sits at the top of the box, on the frame's top line,
// which runs through the middle of the title's line as the platform's etched
// group box frame does. Check-box group boxes keep the style's own look.
class CDialogStyle : public QProxyStyle {
public:
    CDialogStyle() = default;
    explicit CDialogStyle(QStyle* base) : QProxyStyle(base) {}

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override;
    // The extension buttons' arrows are made when first shown: every menu bar
    // asks for one, and reading its pictures loads all image-format plugins.
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override;
};
