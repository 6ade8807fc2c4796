#include "MessageBox.h"
#include "ScriptedDialogs.h"

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

struct AnswerCase {
    MessageButtons buttons;
    MessageAnswer clicked;
};

class MessageBoxAnswer : public testing::TestWithParam<AnswerCase> {};

// Escape and the close box answer an OK box but never a question: the real
// box is shown and worked from inside its modal loop.
TEST_P(MessageBoxAnswer, AQuestionIsAnsweredOnlyByItsButtons)
{
    const AnswerCase& c = GetParam();
    ScopedRealMessageBoxes boxes({c.clicked});
    const MessageAnswer answer = ShowMessage(nullptr, {"Plumet Assistant", "Well?", c.buttons});
    ASSERT_EQ(boxes.Shown().size(), 1u);
    const bool question = c.buttons == MessageButtons::YesNo;
    EXPECT_EQ(boxes.Shown()[0].openAfterEscape, question);
    EXPECT_EQ(boxes.Shown()[0].openAfterClose, question);
    EXPECT_EQ(answer, c.clicked);
}

INSTANTIATE_TEST_SUITE_P(MessageBox, MessageBoxAnswer,
                         testing::Values(AnswerCase{MessageButtons::YesNo, MessageAnswer::Yes},
                                         AnswerCase{MessageButtons::YesNo, MessageAnswer::No},
                                         AnswerCase{MessageButtons::Ok, MessageAnswer::Ok}));

}  // namespace
