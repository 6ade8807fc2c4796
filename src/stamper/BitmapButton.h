#pragma once
#include <QPixmap>
#include <QPushButton>

// A push button drawn with one picture in every state, pressed or not, as an
// owner-drawn bitmap button is. text() stays the button's name.
// The keyboard focus is marked over the picture.
class CBitmapButton : public QPushButton {
public:
    explicit CBitmapButton(QWidget* parent = nullptr);

    // False when the picture cannot be read; the button then stays blank.
    bool LoadBitmap(const QString& path);
    const QPixmap& Bitmap() const { return bitmap_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap bitmap_;
};
