#pragma once
#include <QPushButton>

// A push button whose text wraps onto as many lines as its width needs, as a
// multi-line button of the original dialogs does. text() stays the whole text.
class CMultiLineButton : public QPushButton {
public:
    explicit CMultiLineButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
