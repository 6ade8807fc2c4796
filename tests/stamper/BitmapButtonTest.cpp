#include "BitmapButton.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QImage Look(QPushButton& button) { return button.grab().toImage(); }

TEST(BitmapButton, MarksTheKeyboardFocusAsAPlainButtonDoes)
{
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("upload.png"));
    QImage image(40, 12, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    ASSERT_TRUE(image.save(picture));

    // Away from the pointer, so that no button is hovered.
    QWidget window;
    window.resize(300, 300);
    QLineEdit elsewhere(&window);
    QPushButton plain(QStringLiteral("Exit"), &window);
    CBitmapButton pictured(&window);
    ASSERT_TRUE(pictured.LoadBitmap(picture));
    elsewhere.setGeometry(150, 150, 100, 23);
    plain.setGeometry(150, 200, 82, 23);
    pictured.setGeometry(150, 250, 82, 23);
    window.show();
    QApplication::setActiveWindow(&window);
    // As after the user has moved the focus with Tab.
    window.setAttribute(Qt::WA_KeyboardFocusChange);

    for (QPushButton* button : {&plain, static_cast<QPushButton*>(&pictured)}) {
        elsewhere.setFocus();
        const QImage unfocused = Look(*button);
        button->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(button->hasFocus());
        EXPECT_NE(Look(*button), unfocused) << button->text().toStdString() << " shows no focus mark";
    }
    // The picture itself is drawn, centred.
    elsewhere.setFocus();
    EXPECT_EQ(Look(pictured).pixelColor(41, 11), QColor(Qt::darkGreen));
}

}  // namespace
