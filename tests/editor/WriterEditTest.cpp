#include "MyEdit.h"

#include "CommandIds.h"
#include "ContentFile.h"
#include "DictionaryLookup.h"
#include "Document.h"
#include "EditorArea.h"
#include "FindBar.h"
#include "MainFrame.h"
#include "PlumetApp.h"
#include "PlumetView.h"
#include "ScriptedDialogs.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <optional>

namespace {

// Two misspellings: "teh" at 15 and "wrtier" at 26.
const std::string kTwoMisspellings = "The cat sat on teh mat; a wrtier saw it.";
const std::vector<TextSpan> kTheTwo = {{15, 3}, {26, 6}};

bool IsFixedWidth(const QFont& font)
{
    const QFontMetricsF metrics(font);
    return metrics.horizontalAdvance('i') == metrics.horizontalAdvance('W');
}

class WriterEditTest : public testing::Test {
protected:
    WriterEditTest() { Start(); }

    // A new run of the program on the same folders.
    void Start()
    {
        app.reset();
        app.emplace();
        app->InitInstance({});
        QApplication::setActiveWindow(&Frame());
    }

    CMainFrame& Frame() { return *app->MainFrame(); }
    MyEdit& Editor() { return Frame().Editor(); }
    PlumetState& State() { return app->State(); }
    CFindBar& FindBar() { return *Frame().findChild<CFindBar*>("findBar"); }

    static bool HaveDictionary() { return DictionaryLookup::Find({"/usr/share/hunspell"}, "en_US").has_value(); }

    // A file under the name its article saves to, so saving it replaces it.
    std::string Put(const std::string& articleName, const std::string& body)
    {
        const std::string path = State().LibraryRoot + "/" + ContentFile::FileNameFor(articleName);
        WriteBytes(path, ContentFile::ToStored(ContentFile::Compose({articleName, "Ann", "Jan/5/1999", "Misc"}, body)));
        return path;
    }
    void ClickInList(const std::string& path)
    {
        app->Document().UpdateAllViews(&Frame().List(), kSelectionHint, path);
    }

    // The pane's context menu opened at a document position.
    QMenu& ContextMenuAt(int position)
    {
        QTextCursor cursor(Editor().document());
        cursor.setPosition(position);
        const QPoint point = Editor().cursorRect(cursor).center() + QPoint(2, 0);
        QTest::mouseClick(Editor().viewport(), Qt::RightButton, {}, point);
        auto* menu = Frame().findChild<QMenu*>("editorContextMenu");
        if (!menu)
            throw std::runtime_error("no context menu");
        return *menu;
    }
    static QStringList Texts(const QMenu& menu)
    {
        QStringList texts;
        for (const QAction* action : menu.actions())
            texts << action->text();
        return texts;
    }
    void CloseMenus()
    {
        for (QMenu* menu : Frame().findChildren<QMenu*>("editorContextMenu"))
            menu->close();
        QApplication::processEvents();
    }

    QImage Picture()
    {
        Editor().setCursorWidth(0);  // a blinking caret would differ between pictures
        return Editor().viewport()->grab().toImage();
    }

    TestEnvironment env;
    std::optional<CPlumetApp> app;
};

TEST_F(WriterEditTest, UnderlinesExactlyTheMisspelledWordsInRed)
{
    if (!HaveDictionary())
        GTEST_SKIP() << "no en_US dictionary";
    Editor().SetText(kTwoMisspellings);
    EXPECT_EQ(Editor().UnderlinedWords(), kTheTwo);

    const QImage on = Picture();
    Editor().SetSpellChecking(false);
    EXPECT_TRUE(Editor().UnderlinedWords().empty());
    const QImage off = Picture();
    ASSERT_EQ(on.size(), off.size());

    // Every pixel the underlines changed lies under one of the two words,
    // and each word has some; the changed pixels are reddish.
    std::vector<QRect> boxes;
    for (const TextSpan& span : kTheTwo) {
        QTextCursor start(Editor().document());
        start.setPosition(int(span.start));
        QTextCursor end(start);
        end.setPosition(int(span.End()));
        const QRect caret = Editor().cursorRect(start);
        boxes.emplace_back(QPoint(caret.left() - 1, caret.center().y()),
                           QPoint(Editor().cursorRect(end).left() + 1, caret.bottom() + 2));
    }
    std::vector<int> changed(boxes.size(), 0);
    for (int y = 0; y < on.height(); ++y)
        for (int x = 0; x < on.width(); ++x) {
            if (on.pixel(x, y) == off.pixel(x, y))
                continue;
            const auto box = std::find_if(boxes.begin(), boxes.end(), [&](const QRect& b) { return b.contains(x, y); });
            ASSERT_NE(box, boxes.end()) << "changed pixel at " << x << "," << y;
            ++changed[size_t(box - boxes.begin())];
            const QColor colour = on.pixelColor(x, y);
            EXPECT_GT(colour.red(), colour.green());
        }
    EXPECT_GT(changed[0], 0);
    EXPECT_GT(changed[1], 0);
}

TEST_F(WriterEditTest, CheckingNeverChangesTheTextTheFileTheFlagOrUndo)
{
    const std::string path = Put("a", kTwoMisspellings + "\nSecond recieve line.");
    std::string saved[2];
    std::string editorText[2];
    for (bool checking : {true, false}) {
        Editor().SetSpellChecking(checking);
        ClickInList(path);
        Picture();
        EXPECT_EQ(Editor().UnderlinedWords().empty(), !checking || !HaveDictionary());
        EXPECT_FALSE(Editor().IsModified());
        EXPECT_FALSE(Editor().document()->isUndoAvailable());
        EXPECT_FALSE(Editor().document()->isModified());

        Frame().SetActivePane(&Editor());
        ScopedModalScript save({[](QDialog& dialog) {
            Child<QPushButton>(dialog, "saveFileButton").click();
            return dialog.result();
        }});
        Frame().ExecuteCommand(CommandId::SaveEditProperties);
        ASSERT_EQ(save.Runs(), 1);
        saved[checking] = ReadBytes(path);
        editorText[checking] = State().EditorText;
    }
    EXPECT_EQ(saved[true], saved[false]);
    EXPECT_EQ(editorText[true], editorText[false]);
    EXPECT_EQ(editorText[true], kTwoMisspellings + "\r\nSecond recieve line.\r\n");
}

TEST_F(WriterEditTest, AddToDictionaryRemovesOneUnderlineForGood)
{
    if (!HaveDictionary())
        GTEST_SKIP() << "no en_US dictionary";
    Editor().SetText(kTwoMisspellings);
    QMenu& menu = ContextMenuAt(28);
    const QStringList texts = Texts(menu);
    EXPECT_TRUE(texts.contains("writer")) << texts.join('|').toStdString();
    EXPECT_LE(menu.findChildren<QAction*>("spellingSuggestion").size(), 8);
    EXPECT_EQ(texts.mid(texts.indexOf("Add to Dictionary")),
              QStringList({"Add to Dictionary", "Ignore", "", "Cu&t", "&Copy", "&Paste", "", "Fixed-Width Font"}));
    menu.findChild<QAction*>("addToDictionary")->trigger();
    CloseMenus();

    EXPECT_EQ(Editor().UnderlinedWords(), std::vector<TextSpan>{kTheTwo[0]});
    EXPECT_EQ(Editor().Text(), kTwoMisspellings);
    EXPECT_FALSE(Editor().IsModified());

    Start();
    Editor().SetText(kTwoMisspellings + " wrtier");
    EXPECT_EQ(Editor().UnderlinedWords(), std::vector<TextSpan>{kTheTwo[0]});
}

TEST_F(WriterEditTest, IgnoreLastsTheSessionAndASuggestionIsAnEdit)
{
    if (!HaveDictionary())
        GTEST_SKIP() << "no en_US dictionary";
    Editor().SetText(kTwoMisspellings);
    ContextMenuAt(16).findChild<QAction*>("ignoreWord")->trigger();
    CloseMenus();
    EXPECT_EQ(Editor().UnderlinedWords(), std::vector<TextSpan>{kTheTwo[1]});

    QMenu& menu = ContextMenuAt(28);
    QAction* writer = nullptr;
    for (QAction* action : menu.findChildren<QAction*>("spellingSuggestion"))
        if (action->text() == "writer")
            writer = action;
    ASSERT_NE(writer, nullptr);
    writer->trigger();
    CloseMenus();
    EXPECT_EQ(Editor().Text(), "The cat sat on teh mat; a writer saw it.");
    EXPECT_TRUE(Editor().IsModified());
    EXPECT_TRUE(Editor().UnderlinedWords().empty());
    Frame().ExecuteCommand(CommandId::Undo);
    EXPECT_EQ(Editor().Text(), kTwoMisspellings);

    Start();
    Editor().SetText(kTwoMisspellings);
    EXPECT_EQ(Editor().UnderlinedWords(), kTheTwo);
}

TEST_F(WriterEditTest, ACorrectWordOffersNoSpellingItems)
{
    Editor().SetText(kTwoMisspellings);
    EXPECT_EQ(Texts(ContextMenuAt(5)), QStringList({"Cu&t", "&Copy", "&Paste", "", "Fixed-Width Font"}));
}

TEST_F(WriterEditTest, OnlyTheLinesInViewAreChecked)
{
    if (!HaveDictionary())
        GTEST_SKIP() << "no en_US dictionary";
    std::string text = "wrtier first\n";
    for (int i = 0; i < 500; ++i)
        text += "a plain line\n";
    text += "recieve last";
    Editor().SetText(text);
    EXPECT_EQ(Editor().UnderlinedWords(), (std::vector<TextSpan>{{0, 6}}));

    Editor().verticalScrollBar()->setValue(Editor().verticalScrollBar()->maximum());
    const int last = int(text.rfind("recieve"));
    EXPECT_EQ(Editor().UnderlinedWords(), (std::vector<TextSpan>{{last, 7}}));
}

TEST_F(WriterEditTest, ADictionaryThatCannotBeLoadedUnderlinesNothingAndSaysNothing)
{
    QTemporaryDir broken;
    WriteBytes(broken.path().toStdString() + "/xx_XX.aff", "SET UTF-8\n");
    WriteBytes(broken.path().toStdString() + "/xx_XX.dic", "garbage\n");
    qputenv("DICPATH", broken.path().toLocal8Bit());
    qputenv("DICTIONARY", "xx_XX");
    Start();
    ScopedMessageScript messages;

    Editor().SetText(kTwoMisspellings);
    Picture();
    EXPECT_TRUE(Editor().UnderlinedWords().empty());
    EXPECT_EQ(Texts(ContextMenuAt(16)), QStringList({"Cu&t", "&Copy", "&Paste", "", "Fixed-Width Font"}));
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(WriterEditTest, FixedWidthFontIsACheckItemRemembered)
{
    const QFont proportional = Editor().document()->defaultFont();
    EXPECT_FALSE(Editor().FixedWidthFont());
    EXPECT_FALSE(Editor().WidthLineX());
    QAction* item = ContextMenuAt(0).findChild<QAction*>("fixedWidthFont");
    ASSERT_TRUE(item->isCheckable());
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    CloseMenus();
    EXPECT_TRUE(IsFixedWidth(Editor().document()->defaultFont()));
    EXPECT_EQ(Editor().font().family(), "Times New Roman");

    Start();
    EXPECT_TRUE(Editor().FixedWidthFont());
    EXPECT_TRUE(IsFixedWidth(Editor().document()->defaultFont()));
    QAction* again = ContextMenuAt(0).findChild<QAction*>("fixedWidthFont");
    EXPECT_TRUE(again->isChecked());
    again->trigger();
    CloseMenus();
    EXPECT_EQ(Editor().document()->defaultFont(), proportional);
    Start();
    EXPECT_FALSE(Editor().FixedWidthFont());
}

TEST_F(WriterEditTest, TheWidthLineFollowsTheLastFormatWidth)
{
    Editor().SetFixedWidthFont(true);
    const qreal column = QFontMetricsF(Editor().document()->defaultFont()).horizontalAdvance('x');
    const std::optional<qreal> at50 = Editor().WidthLineX();
    ASSERT_TRUE(at50);
    EXPECT_EQ(Editor().WidthColumn(), 50);

    const auto formatWith = [](const char* width) {
        return [width](QDialog& dialog) {
            Child<QLineEdit>(dialog, "widthEdit").setText(width);
            Child<QPushButton>(dialog, "setButton").click();
            return dialog.result();
        };
    };
    ClickInList(Put("a", "some words to format"));
    {
        ScopedModalScript dialogs({formatWith("30"), [](QDialog&) { return int(QDialog::Rejected); }});
        Frame().ExecuteCommand(CommandId::FormatText);
        Frame().ExecuteCommand(CommandId::FormatText);
    }
    EXPECT_EQ(Editor().WidthColumn(), 30);
    const std::optional<qreal> at30 = Editor().WidthLineX();
    ASSERT_TRUE(at30);
    EXPECT_NEAR(*at50 - *at30, 20 * column, 1.0);

    // The line is drawn: its column differs from the one beside it below the text.
    const QImage picture = Picture();
    const int x = int(*at30);
    const int y = picture.height() - 5;
    EXPECT_NE(picture.pixel(x, y), picture.pixel(x + 3, y));

    Start();
    EXPECT_EQ(Editor().WidthColumn(), 30);
    Editor().SetFixedWidthFont(false);
    EXPECT_FALSE(Editor().WidthLineX());
}

// Ctrl+F and Ctrl+H open the bar, Enter, F3 and Shift+F3 search, Escape closes.
TEST_F(WriterEditTest, FindBarFindsGoesRoundAndReplacesAllAsOneUndo)
{
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    Editor().SetText("Cat and cat\ncatalogue cat");
    Frame().SetActivePane(&Editor());
    QTextCursor cursor = Editor().textCursor();
    cursor.setPosition(8);
    cursor.setPosition(11, QTextCursor::KeepAnchor);
    Editor().setTextCursor(cursor);

    QTest::keyClick(&Editor(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(FindBar().isVisible());
    auto& findEdit = Child<QLineEdit>(FindBar(), "findEdit");
    EXPECT_EQ(findEdit.text(), "cat");
    EXPECT_TRUE(findEdit.hasFocus());
    EXPECT_FALSE(Child<QLineEdit>(FindBar(), "replaceEdit").isVisible());

    const auto selection = [this] {
        return std::pair(Editor().textCursor().selectionStart(), Editor().textCursor().selectionEnd());
    };
    QTest::keyClick(&findEdit, Qt::Key_Return);
    EXPECT_EQ(selection(), std::pair(12, 15));
    QTest::keyClick(&findEdit, Qt::Key_F3);
    EXPECT_EQ(selection(), std::pair(22, 25));
    QTest::keyClick(&Editor(), Qt::Key_F3);
    EXPECT_EQ(selection(), std::pair(0, 3));
    EXPECT_EQ(FindBar().Note(), "Continued from the top");
    QTest::keyClick(&Editor(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(selection(), std::pair(22, 25));
    EXPECT_EQ(FindBar().Note(), "Continued from the bottom");
    Child<QCheckBox>(FindBar(), "wholeWordsCheck").setChecked(true);
    Child<QCheckBox>(FindBar(), "matchCaseCheck").setChecked(true);
    FindBar().FindNext();
    EXPECT_EQ(selection(), std::pair(8, 11));
    EXPECT_EQ(FindBar().Note(), "Continued from the top");
    findEdit.setText("dog");
    FindBar().FindNext();
    EXPECT_EQ(FindBar().Note(), "Not found");
    EXPECT_EQ(selection(), std::pair(8, 11));

    QTest::keyClick(&Editor(), Qt::Key_H, Qt::ControlModifier);
    auto& replaceEdit = Child<QLineEdit>(FindBar(), "replaceEdit");
    ASSERT_TRUE(replaceEdit.isVisible());
    EXPECT_EQ(findEdit.text(), "cat");
    replaceEdit.setText("dog");
    Child<QPushButton>(FindBar(), "replaceButton").click();
    EXPECT_EQ(Editor().Text(), "Cat and dog\r\ncatalogue cat");
    EXPECT_EQ(selection(), std::pair(22, 25));
    Child<QCheckBox>(FindBar(), "matchCaseCheck").setChecked(false);
    Child<QPushButton>(FindBar(), "replaceAllButton").click();
    EXPECT_EQ(Editor().Text(), "dog and dog\r\ncatalogue dog");
    EXPECT_EQ(FindBar().Note(), "2 replaced");
    EXPECT_TRUE(Editor().IsModified());

    Frame().ExecuteCommand(CommandId::Undo);
    EXPECT_EQ(Editor().Text(), "Cat and dog\r\ncatalogue cat");
    Frame().ExecuteCommand(CommandId::Undo);
    EXPECT_EQ(Editor().Text(), "Cat and cat\r\ncatalogue cat");

    QTest::keyClick(&replaceEdit, Qt::Key_Escape);
    EXPECT_FALSE(FindBar().isVisible());
    EXPECT_TRUE(Editor().hasFocus());
}

}  // namespace
