#include "MyEdit.h"

#include "CmdUI.h"
#include "CommandIds.h"
#include "ContentFile.h"
#include "Document.h"
#include "LeftView.h"
#include "LoadContentFile.h"
#include "MainFrame.h"
#include "PlumetApp.h"
#include "PlumetView.h"
#include "ScriptedDialogs.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr const char* kCaption = "Plumet Assistant";

class EditorPaneTest : public testing::Test {
protected:
    EditorPaneTest()
    {
        app.InitInstance({});
        QApplication::setActiveWindow(&Frame());
        QApplication::clipboard()->clear();
    }

    CMainFrame& Frame() { return *app.MainFrame(); }
    MyEdit& Editor() { return Frame().Editor(); }
    PlumetState& State() { return app.State(); }

    // A content file in the library root, as the file information dialog writes it.
    std::string Put(const std::string& name, const std::string& body)
    {
        const std::string path = State().LibraryRoot + "/" + name;
        WriteBytes(path, ContentFile::ToStored(ContentFile::Compose({name, "Ann", "Jan/5/1999", "Misc"}, body)));
        return path;
    }

    // What the file list sends when a row is clicked.
    void ClickInList(const std::string& path)
    {
        app.Document().UpdateAllViews(&Frame().List(), kSelectionHint, path);
    }

    void MakeActive(CView& pane) { Frame().SetActivePane(&pane); }

    // Fills the file information dialog and saves.
    static ScopedModalScript::Step SaveAs(const std::string& articleName)
    {
        return [articleName](QDialog& dialog) {
            Child<QLineEdit>(dialog, "articleNameEdit").setText(QString::fromStdString(articleName));
            Child<QLineEdit>(dialog, "authorNameEdit").setText("Ann");
            Child<QLineEdit>(dialog, "topicEdit").setText("Misc");
            Child<QPushButton>(dialog, "saveFileButton").click();
            return dialog.result();
        };
    }

    TestEnvironment env;
    CPlumetApp app;
};

TEST_F(EditorPaneTest, StartsEmptyInTimesNewRomanWrappedAtThePane)
{
    EXPECT_EQ(Editor().Text(), "");
    EXPECT_FALSE(Editor().IsModified());
    EXPECT_EQ(Editor().font().family(), "Times New Roman");
    EXPECT_EQ(Editor().font().pointSize(), 10);
    EXPECT_FALSE(Editor().font().bold());
    EXPECT_EQ(Editor().lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

TEST_F(EditorPaneTest, ClickedFileShowsItsBodyUnmodified)
{
    ClickInList(Put("a.txt", "one\ntwo"));

    EXPECT_EQ(Editor().Text(), "one\r\ntwo\r\n");
    EXPECT_EQ(Editor().toPlainText(), "one\ntwo\n");
    EXPECT_FALSE(Editor().IsModified());
}

TEST_F(EditorPaneTest, TextComesBackByteForByte)
{
    const std::string text = "caf\xc3\xa9\xc2\xa0non-breaking\ttab\r\n\r\nlast";
    Editor().SetText(text);
    EXPECT_EQ(Editor().Text(), text);
    Editor().SetText("a\rb\nc");
    EXPECT_EQ(Editor().Text(), "a\r\nb\r\nc");
}

TEST_F(EditorPaneTest, FileWithoutBodyShowsTheMessageAndAnEmptyPane)
{
    ScopedMessageScript messages;
    ClickInList(Put("a.txt", "one"));
    const std::string empty = Put("b.txt", "");

    ClickInList(empty);

    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, kNoDataMessage);
    EXPECT_EQ(messages.Shown()[0].caption, kCaption);
    EXPECT_EQ(Editor().Text(), "");
    EXPECT_FALSE(Editor().IsModified());
}

TEST_F(EditorPaneTest, ArrowKeyThenSelectionAsksToSave)
{
    ClickInList(Put("a.txt", "one"));
    ScopedMessageScript messages({MessageAnswer::No});

    QTest::keyClick(&Editor(), Qt::Key_Right);
    ClickInList(Put("b.txt", "two"));

    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "Do you wish to save the file");
    EXPECT_EQ(messages.Shown()[0].caption, kCaption);
    EXPECT_EQ(messages.Shown()[0].buttons, MessageButtons::YesNo);
}

TEST_F(EditorPaneTest, AltChordsAndWindowShortcutsDoNotMarkTheText)
{
    ClickInList(Put("a.txt", "one"));

    QTest::keyClick(&Editor(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_FALSE(Editor().IsModified());
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    MakeActive(Editor());
    QTest::keyClick(&Editor(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(Editor().IsModified());
    QTest::keyClick(&Editor(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_FALSE(Editor().IsModified());

    QTest::keyClick(&Editor(), Qt::Key_F2);
    EXPECT_TRUE(Editor().IsModified());
}

TEST_F(EditorPaneTest, NoDiscardsTheEditsAndLoadsTheNewFile)
{
    const std::string first = Put("a.txt", "one");
    ClickInList(first);
    const std::string before = ReadBytes(first);
    QTest::keyClicks(&Editor(), "edited ");
    ScopedMessageScript messages({MessageAnswer::No});
    ScopedModalScript dialogs;

    ClickInList(Put("b.txt", "two"));

    EXPECT_EQ(dialogs.Runs(), 0);
    EXPECT_EQ(Editor().Text(), "two\r\n");
    EXPECT_EQ(State().EditorText, "two\r\n");
    EXPECT_FALSE(Editor().IsModified());
    EXPECT_EQ(ReadBytes(first), before);
}

TEST_F(EditorPaneTest, YesRunsTheDialogAndWritesThePaneText)
{
    ClickInList(Put("a.txt", "one\ntwo"));
    QTest::keyClicks(&Editor(), "X");
    ScopedMessageScript messages({MessageAnswer::Yes});
    ScopedModalScript dialogs({SaveAs("Saved Edits")});

    ClickInList(Put("b.txt", "three"));

    EXPECT_EQ(dialogs.Runs(), 1);
    EXPECT_EQ(ReadBytes(State().LibraryRoot + "/Saved_Edits.txt"),
              "Saved Edits\r\nAnn\r\nNot Yet Published\r\nMisc\r\n~*^\r\nXone\r\r\ntwo\r\r\n");
    EXPECT_EQ(Editor().Text(), "three\r\n");
}

// Escape and the close box leave each question open; the edits are still
// there for the answer that follows.
TEST_F(EditorPaneTest, EscapeAndTheCloseBoxLeaveEachSavePromptOpen)
{
    const std::string other = Put("Other.txt", "someone else's");
    const std::string otherBytes = ReadBytes(other);
    struct Prompt {
        const char* text;
        std::function<void()> ask;
        MessageAnswer answer;
        const char* firstTry;  // an article name typed before the one that saves
    };
    const Prompt prompts[] = {
        {"Do you wish to save the file", [&] { ClickInList(Put("b.txt", "two")); }, MessageAnswer::Yes, nullptr},
        {"Do you wish to save changes?", [&] { Frame().ExecuteCommand(CommandId::Exit); }, MessageAnswer::Yes,
         nullptr},
        {"An article named 'Other' already exists in this folder.  Do you wish to replace it?",
         [&] { Frame().ExecuteCommand(CommandId::SaveEditProperties); }, MessageAnswer::No, "Other"},
    };
    int saves = 0;
    for (const Prompt& prompt : prompts) {
        Frame().show();
        {
            ScopedMessageScript dropEarlierEdits;
            ClickInList(Put("a.txt", "one"));
        }
        MakeActive(Editor());
        QTest::keyClicks(&Editor(), "X");
        const std::string kept = "Kept " + std::to_string(++saves);
        ScopedRealMessageBoxes boxes({prompt.answer});
        ScopedModalScript dialogs({[&](QDialog& dialog) {
            if (prompt.firstTry)
                SaveAs(prompt.firstTry)(dialog);
            return SaveAs(kept)(dialog);
        }});

        prompt.ask();

        ASSERT_EQ(boxes.Shown().size(), 1u) << prompt.text;
        EXPECT_EQ(boxes.Shown()[0].text, prompt.text);
        EXPECT_TRUE(boxes.Shown()[0].openAfterEscape) << prompt.text;
        EXPECT_TRUE(boxes.Shown()[0].openAfterClose) << prompt.text;
        EXPECT_EQ(ReadBytes(State().LibraryRoot + "/" + ContentFile::FileNameFor(kept)),
                  ContentFile::ToStored(ContentFile::Compose({kept, "Ann", "Not Yet Published", "Misc"}, "Xone\r\n")))
            << prompt.text;
        EXPECT_EQ(ReadBytes(other), otherBytes);
    }
}

TEST_F(EditorPaneTest, CancelledSaveStillLoadsTheSelection)
{
    ClickInList(Put("a.txt", "one"));
    QTest::keyClicks(&Editor(), "X");
    ScopedMessageScript messages({MessageAnswer::Yes});
    ScopedModalScript dialogs;  // rejects

    ClickInList(Put("b.txt", "two"));

    EXPECT_EQ(dialogs.Runs(), 1);
    EXPECT_EQ(Editor().Text(), "two\r\n");
}

TEST_F(EditorPaneTest, FolderSelectionEmptiesThePaneAfterThePrompt)
{
    ClickInList(Put("a.txt", "one"));
    QTest::keyClicks(&Editor(), "X");
    ScopedMessageScript messages({MessageAnswer::No});

    app.Document().UpdateAllViews(&Frame().Tree(), kSelectionHint, "File Manager");

    EXPECT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(Editor().Text(), "");
    EXPECT_FALSE(Editor().IsModified());
}

TEST_F(EditorPaneTest, SaveEditPropertiesKeepsTheTextMarked)
{
    ClickInList(Put("a.txt", "one"));
    MakeActive(Editor());
    QTest::keyClicks(&Editor(), "X");
    std::string bodyGiven;
    ScopedModalScript dialogs({[&](QDialog& dialog) {
        bodyGiven = State().EditorText;
        return SaveAs("Props")(dialog);
    }});

    Frame().ExecuteCommand(CommandId::SaveEditProperties);

    EXPECT_EQ(dialogs.Runs(), 1);
    EXPECT_EQ(bodyGiven, "Xone\r\n");
    EXPECT_TRUE(Editor().IsModified());
    ScopedMessageScript messages;
    ClickInList(Put("b.txt", "two"));
    EXPECT_EQ(messages.Shown().size(), 1u);
}

TEST_F(EditorPaneTest, ExitAsksToSaveChangesThenCloses)
{
    ClickInList(Put("a.txt", "one"));
    MakeActive(Editor());
    QTest::keyClicks(&Editor(), "X");
    ScopedMessageScript messages({MessageAnswer::Yes});
    ScopedModalScript dialogs({SaveAs("On Exit")});

    Frame().ExecuteCommand(CommandId::Exit);

    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "Do you wish to save changes?");
    EXPECT_EQ(messages.Shown()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(ReadBytes(State().LibraryRoot + "/On_Exit.txt"),
              "On Exit\r\nAnn\r\nNot Yet Published\r\nMisc\r\n~*^\r\nXone\r\r\n");
    EXPECT_FALSE(Frame().isVisible());
}

TEST_F(EditorPaneTest, ExitStaysWhenTheSaveIsCancelled)
{
    ClickInList(Put("a.txt", "one"));
    MakeActive(Editor());
    QTest::keyClicks(&Editor(), "X");
    ScopedMessageScript messages({MessageAnswer::Yes});
    ScopedModalScript dialogs;  // rejects

    Frame().ExecuteCommand(CommandId::Exit);

    EXPECT_EQ(dialogs.Runs(), 1);
    EXPECT_TRUE(Frame().isVisible());
}

struct ExitCase {
    const char* activePane;
    MessageAnswer answer;
    bool saved;
};

class EditorExitTest : public EditorPaneTest, public testing::WithParamInterface<ExitCase> {};

// Whichever pane is active, Exit (and the window's close box) offer the
// editor's unsaved edits before the program goes.
TEST_P(EditorExitTest, ExitFromAnyPaneAsksAboutUnsavedEdits)
{
    const ExitCase& c = GetParam();
    ClickInList(Put("a.txt", "one"));
    QTest::keyClicks(&Editor(), "X");
    MakeActive(dynamic_cast<CView&>(*Frame().findChild<QWidget*>(c.activePane)));
    ScopedMessageScript messages({c.answer});
    ScopedModalScript dialogs({SaveAs("On Exit")});

    Frame().ExecuteCommand(CommandId::Exit);

    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "Do you wish to save changes?");
    EXPECT_EQ(messages.Shown()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(dialogs.Runs(), c.saved ? 1 : 0);
    EXPECT_EQ(QFileInfo::exists(QString::fromStdString(State().LibraryRoot + "/On_Exit.txt")), c.saved);
    EXPECT_FALSE(Frame().isVisible());
}

INSTANTIATE_TEST_SUITE_P(Panes, EditorExitTest,
                         testing::Values(ExitCase{"folderTree", MessageAnswer::No, false},
                                         ExitCase{"folderTree", MessageAnswer::Yes, true},
                                         ExitCase{"fileList", MessageAnswer::Yes, true},
                                         ExitCase{"editor", MessageAnswer::No, false}));

TEST_F(EditorPaneTest, CloseBoxAsksLikeExitAndUnchangedTextNeverAsks)
{
    ClickInList(Put("a.txt", "one"));
    {
        ScopedMessageScript messages;
        Frame().close();
        EXPECT_TRUE(messages.Shown().empty());
        EXPECT_FALSE(Frame().isVisible());
    }
    Frame().show();
    QTest::keyClicks(&Editor(), "X");
    ScopedMessageScript messages({MessageAnswer::Yes});
    ScopedModalScript dialogs;  // rejects: the window stays
    Frame().close();
    EXPECT_EQ(messages.Shown().size(), 1u);
    EXPECT_TRUE(Frame().isVisible());
}

TEST_F(EditorPaneTest, ActivePaneCommandsAreTakenOnlyWhileActive)
{
    for (int id : {CommandId::SaveEditProperties, CommandId::NewFolder, CommandId::Exit}) {
        CCmdUI query(id);
        MakeActive(Frame().Tree());
        EXPECT_FALSE(Editor().OnCmdMsg(id, &query)) << id;
        MakeActive(Editor());
        EXPECT_TRUE(Editor().OnCmdMsg(id, &query)) << id;
    }
    ScopedModalScript dialogs;
    Frame().ExecuteCommand(CommandId::NewFolder);  // nothing, from the editor
    EXPECT_EQ(dialogs.Runs(), 0);
}

TEST_F(EditorPaneTest, FormatTextFromTheTreeReflowsThePaneAndCanBeUndone)
{
    ClickInList(Put("a.txt", "aaaa bbbb cccc"));
    MakeActive(Frame().Tree());
    ScopedModalScript dialogs({[](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Format Option");
        Child<QLineEdit>(dialog, "widthEdit").setText("10");
        Child<QPushButton>(dialog, "setButton").click();
        return dialog.result();
    }});

    Frame().ExecuteCommand(CommandId::FormatText);

    EXPECT_EQ(Editor().Text(), "aaaa bbbb\r\ncccc \r\n");
    EXPECT_TRUE(Editor().IsModified());
    Frame().ExecuteCommand(CommandId::Undo);
    EXPECT_EQ(Editor().Text(), "aaaa bbbb cccc\r\n");
}

TEST_F(EditorPaneTest, CancelledFormatKeepsTextAndFlag)
{
    ClickInList(Put("a.txt", "aaaa bbbb cccc"));
    ScopedModalScript dialogs;  // rejects

    Frame().ExecuteCommand(CommandId::FormatText);

    EXPECT_EQ(dialogs.Runs(), 1);
    EXPECT_EQ(Editor().Text(), "aaaa bbbb cccc\r\n");
    EXPECT_FALSE(Editor().IsModified());
}

TEST_F(EditorPaneTest, EditCommandsActOnTheEditorFromAnyPaneWhenTheyCan)
{
    ClickInList(Put("a.txt", "hello world"));
    MakeActive(Frame().Tree());
    for (int id : {CommandId::Undo, CommandId::Cut, CommandId::Copy, CommandId::Paste})
        EXPECT_FALSE(Frame().IsCommandEnabled(id)) << id;

    QTextCursor cursor = Editor().textCursor();
    cursor.setPosition(0);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    Editor().setTextCursor(cursor);
    EXPECT_TRUE(Frame().IsCommandEnabled(CommandId::Cut));
    EXPECT_TRUE(Frame().IsCommandEnabled(CommandId::Copy));

    Frame().ExecuteCommand(CommandId::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), "hello");
    EXPECT_TRUE(Frame().IsCommandEnabled(CommandId::Paste));

    Frame().ExecuteCommand(CommandId::Cut);
    EXPECT_EQ(Editor().Text(), " world\r\n");
    EXPECT_TRUE(Editor().IsModified());
    EXPECT_TRUE(Frame().IsCommandEnabled(CommandId::Undo));

    Editor().moveCursor(QTextCursor::End);
    Frame().ExecuteCommand(CommandId::Paste);
    EXPECT_EQ(Editor().Text(), " world\r\nhello");

    Frame().ExecuteCommand(CommandId::Undo);
    Frame().ExecuteCommand(CommandId::Undo);
    EXPECT_EQ(Editor().Text(), "hello world\r\n");
}

TEST_F(EditorPaneTest, RightClickOpensTheMenuAtThePointerWithoutMovingTheCaret)
{
    ClickInList(Put("a.txt", "hello world"));
    MakeActive(Frame().Tree());
    QTextCursor cursor = Editor().textCursor();
    cursor.setPosition(3);
    Editor().setTextCursor(cursor);
    QApplication::clipboard()->setText("XY");
    const QPoint point(80, 5);

    QTest::mouseClick(Editor().viewport(), Qt::RightButton, {}, point);

    auto* menu = Frame().findChild<QMenu*>("editorContextMenu");
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->pos(), Editor().viewport()->mapToGlobal(point));
    EXPECT_EQ(Editor().textCursor().position(), 3);
    EXPECT_EQ(Frame().ActivePane(), &Editor());

    QStringList texts;
    for (QAction* action : menu->actions())
        texts << action->text();
    EXPECT_EQ(texts, QStringList({"Cu&t", "&Copy", "&Paste", "", "Fixed-Width Font"}));
    EXPECT_FALSE(menu->findChild<QAction*>("command57635")->isEnabled());
    EXPECT_FALSE(menu->findChild<QAction*>("command57634")->isEnabled());

    menu->findChild<QAction*>("command57637")->trigger();
    EXPECT_EQ(Editor().Text(), "helXYlo world\r\n");
}

TEST_F(EditorPaneTest, FullPaneTakesNoMoreCharacters)
{
    std::string full(MyEdit::kMaxCharacters + 5, 'a');
    for (std::size_t i = 80; i < full.size(); i += 81)
        full[i] = '\n';
    Editor().SetText(full);
    const auto letters = Editor().toPlainText().count('a');
    ASSERT_EQ(Editor().document()->characterCount() - 1, MyEdit::kMaxCharacters);
    MakeActive(Editor());
    QApplication::clipboard()->setText("XYZ");

    QTest::keyClick(&Editor(), Qt::Key_B);
    Frame().ExecuteCommand(CommandId::Paste);
    EXPECT_EQ(Editor().document()->characterCount() - 1, MyEdit::kMaxCharacters);
    EXPECT_EQ(Editor().toPlainText().count('a'), letters);

    // Pasting over a selection of two gets two characters in.
    QTextCursor cursor = Editor().textCursor();
    cursor.setPosition(0);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    Editor().setTextCursor(cursor);
    Frame().ExecuteCommand(CommandId::Paste);
    EXPECT_TRUE(Editor().toPlainText().startsWith("XYa"));
    EXPECT_EQ(Editor().document()->characterCount() - 1, MyEdit::kMaxCharacters);
}

}  // namespace
