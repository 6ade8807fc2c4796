#include "FormatDlg.h"

#include "DialogUnits.h"
#include "Formatter.h"
#include "PlumetState.h"
#include "ScriptedDialogs.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const std::string kWorkedExample =
    "The quick brown fox jumps over the lazy dog and runs far away.\r\n"
    "Second line of the same paragraph.\r\n\r\nNext paragraph here.";

class FormatDlgTest : public testing::Test {
protected:
    QLineEdit& Width() { return Child<QLineEdit>(dialog, "widthEdit"); }
    QCheckBox& Apply() { return Child<QCheckBox>(dialog, "applyCheck"); }
    void ClickSet() { Child<QPushButton>(dialog, "setButton").click(); }

    PlumetState state;
    CFormatDlg dialog{state};
};

TEST_F(FormatDlgTest, OpensWithWidthFiftyAndBlockStyleOff)
{
    EXPECT_EQ(dialog.windowTitle(), "Format Option");
    EXPECT_EQ(Width().text(), "50");
    EXPECT_FALSE(Apply().isChecked());
    EXPECT_EQ(Apply().text(), "Apply");
    EXPECT_EQ(Child<QPushButton>(dialog, "setButton").text(), "Set");
    EXPECT_TRUE(Child<QPushButton>(dialog, "setButton").isDefault());
    EXPECT_EQ(Child<QPushButton>(dialog, "cancelButton").text(), "Cancel");
    EXPECT_EQ(Child<QLabel>(dialog, "widthLabel").text(), "Please enter the maximum number of characters per line");
    EXPECT_EQ(Child<QGroupBox>(dialog, "blockStyleGroup").title(), "Block Style Formatting");
}

TEST_F(FormatDlgTest, LayoutFollowsTheDialogUnits)
{
    const DialogBaseUnits base = MeasureBaseUnits(dialog.font());
    EXPECT_EQ(dialog.size(), DialogUnitSize(base, 206, 138));
    EXPECT_EQ(Width().geometry(), DialogUnitRect(base, 137, 9, 27, 14));
    EXPECT_EQ(Apply().geometry(), DialogUnitRect(base, 68, 94, 65, 10));
    const QLabel& picture = Child<QLabel>(dialog, "blockStylePicture");
    EXPECT_EQ(picture.pixmap().size(), QSize(121, 64));
    EXPECT_EQ(picture.geometry(), QRect(DialogUnitRect(base, 59, 50, 0, 0).topLeft(), QSize(121, 64)));

    // Tab order is the resource order of the controls that take the focus.
    QWidget* expected[] = {&Child<QPushButton>(dialog, "setButton"),
                           &Child<QPushButton>(dialog, "cancelButton"), &Apply(), &Width()};
    QWidget* at = &Width();
    for (QWidget* next : expected) {
        at = at->nextInFocusChain();
        while (at->focusPolicy() == Qt::NoFocus)
            at = at->nextInFocusChain();
        EXPECT_EQ(at, next) << next->objectName().toStdString();
    }
}

TEST_F(FormatDlgTest, SetReflowsEditorTextAndCloses)
{
    state.EditorText = kWorkedExample;
    Width().setText("20");
    Apply().setChecked(true);

    ClickSet();

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(state.EditorText,
        "The quick brown fox\r\njumps over the lazy\r\ndog  and  runs far\r\naway.  Second line\r\n"
        "of    the   same\r\nparagraph. \r\n\r\nNext    paragraph\r\nhere. \n");
}

TEST_F(FormatDlgTest, EmptyWidthBoxPutsEveryWordOnItsOwnLine)
{
    state.EditorText = "ab cd";
    Width().clear();

    ClickSet();

    EXPECT_EQ(state.EditorText, "\r\nab\r\ncd \n");
}

TEST_F(FormatDlgTest, EmptyTextIsRefusedAndTheDialogStays)
{
    ScopedMessageScript messages;
    dialog.show();

    ClickSet();

    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].caption, "Plumet Assistant");
    EXPECT_EQ(messages.Shown()[0].text, CFormatter::NoTextMessage);
    EXPECT_EQ(messages.Shown()[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(state.EditorText, "");
}

TEST_F(FormatDlgTest, CancelLeavesTheText)
{
    state.EditorText = kWorkedExample;
    Width().setText("5");

    Child<QPushButton>(dialog, "cancelButton").click();

    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(state.EditorText, kWorkedExample);
}

TEST_F(FormatDlgTest, WidthBoxTakesOnlyDigits)
{
    Width().clear();
    QTest::keyClicks(&Width(), "3a-0 ");
    EXPECT_EQ(Width().text(), "30");
}

}  // namespace
