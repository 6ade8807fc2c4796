#include "MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QProxyStyle>
#include <QStyleFactory>

#include <gtest/gtest.h>

namespace {

struct BoxCase {
    MessageRecord message;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon;
};

// Desktop styles differ in whether standard buttons carry pictures; the
// test runs under one that gives them pictures.
class ButtonPicturesStyle : public QProxyStyle {
public:
    ButtonPicturesStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

class MessageBoxLook : public testing::TestWithParam<BoxCase> {
protected:
    MessageBoxLook() : previous_(QApplication::style()->name()) { QApplication::setStyle(new ButtonPicturesStyle); }
    ~MessageBoxLook() override { QApplication::setStyle(previous_); }

private:
    QString previous_;
};

TEST_P(MessageBoxLook, ShowsWhatWasAskedAndNoButtonPictures)
{
    const BoxCase& c = GetParam();
    const auto box = MakeMessageBox(nullptr, c.message);
    EXPECT_EQ(box->windowTitle().toStdString(), c.message.caption);
    EXPECT_EQ(box->text().toStdString(), c.message.text);
    EXPECT_EQ(box->standardButtons(), c.buttons);
    EXPECT_EQ(box->icon(), c.icon);
    for (const QAbstractButton* button : box->buttons())
        EXPECT_TRUE(button->icon().isNull()) << button->text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    MessageBox, MessageBoxLook,
    testing::Values(
        BoxCase{{"Plumet Assistant", "The file contained no data."}, QMessageBox::Ok, QMessageBox::NoIcon},
        BoxCase{{"Plumet Assistant", "Do you wish to save the file", MessageButtons::YesNo},
                QMessageBox::Yes | QMessageBox::No, QMessageBox::NoIcon},
        BoxCase{{"Stamper", "Failed to start.", MessageButtons::Ok, MessageIcon::Exclamation}, QMessageBox::Ok,
                QMessageBox::Warning}));

}  // namespace
