#include "AppFixture.h"
#include "CommandIds.h"
#include "FileInformation.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct Fields {
    const char* article = "";
    const char* author = "";
    const char* month = "";
    const char* day = "";
    const char* year = "";
    const char* topic = "";
};

void Fill(QDialog& dialog, const Fields& f)
{
    Child<QLineEdit>(dialog, "articleNameEdit").setText(f.article);
    Child<QLineEdit>(dialog, "authorNameEdit").setText(f.author);
    Child<QComboBox>(dialog, "monthCombo").setEditText(f.month);
    Child<QComboBox>(dialog, "dayCombo").setEditText(f.day);
    Child<QLineEdit>(dialog, "yearEdit").setText(f.year);
    Child<QLineEdit>(dialog, "topicEdit").setText(f.topic);
}

// A step that fills the dialog and presses "Save File", then "Cancel" if it is still open.
ScopedModalScript::Step SaveWith(Fields fields, bool* stayedOpen = nullptr)
{
    return [fields, stayedOpen](QDialog& dialog) {
        Fill(dialog, fields);
        dialog.setResult(-1);
        Child<QPushButton>(dialog, "saveFileButton").click();
        const bool open = dialog.result() == -1;
        if (stayedOpen)
            *stayedOpen = open;
        if (open)
            Child<QPushButton>(dialog, "cancelButton").click();
        return dialog.result();
    };
}

QStringList FilesIn(const std::string& folder)
{
    return QDir(QString::fromStdString(folder)).entryList(QDir::Files | QDir::Hidden);
}

}  // namespace

using FileInfoDialog = AppFixture;

TEST_F(FileInfoDialog, NewFileWithAllFieldsWritesTheExactLayout)
{
    State().EditorText = "First line\r\nSecond line";
    ScopedModalScript script({SaveWith({"Tips for your first issue!", "Ada Quill", "Jan", "5", "1999", "Openers"})});
    Frame().ExecuteCommand(CommandId::NewFile);

    const std::string path = Library() + "/Tips_for_your_first_issue.txt";
    EXPECT_EQ(ReadBytes(path),
              "Tips for your first issue!\r\nAda Quill\r\nJan/5/1999\r\nOpeners\r\n~*^\r\n"
              "First line\r\r\nSecond line");
    EXPECT_EQ(State().CurrentFilePath, path);
}

TEST_F(FileInfoDialog, AMissingDatePartGivesNotYetPublished)
{
    ScopedModalScript script({SaveWith({"Spring", "Bo", "Mar", "7", "", "Season"})});
    Frame().ExecuteCommand(CommandId::SaveEditProperties);
    EXPECT_EQ(ReadBytes(Library() + "/Spring.txt"), "Spring\r\nBo\r\nNot Yet Published\r\nSeason\r\n~*^\r\n");
}

TEST_F(FileInfoDialog, MandatoryMessageKeepsWhatWasTypedAndWritesNothing)
{
    State().AuthorName = "earlier author";
    ScopedMessageScript messages;
    bool stayedOpen = false;
    ScopedModalScript script({SaveWith({"Only a name"}, &stayedOpen)});
    Frame().ExecuteCommand(CommandId::NewFile);

    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].caption, "Plumet Assistant");
    EXPECT_EQ(messages.Shown()[0].text,
              "Fields indicated by the '*' sign are mandatory.  Please fill them out before continuing.");
    EXPECT_EQ(messages.Shown()[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::None);
    EXPECT_EQ(State().ArticleName, "Only a name");
    EXPECT_EQ(State().AuthorName, "");
    EXPECT_EQ(State().Topic, "");
    EXPECT_TRUE(FilesIn(Library()).isEmpty());
}

TEST_F(FileInfoDialog, AnotherArticlesFileIsReplacedOnlyWhenTheUserAgrees)
{
    const std::string path = Library() + "/Why_ask.txt";
    const std::string old = "old header\r\n~*^\r\nold body that is long";
    WriteBytes(path, old);
    State().EditorText = "new";
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        ScopedMessageScript messages({answer});
        bool stayedOpen = false;
        ScopedModalScript script({SaveWith({"Why ask?", "Cy", "", "", "", "Questions"}, &stayedOpen)});
        Frame().ExecuteCommand(CommandId::NewFile);
        ASSERT_EQ(messages.Shown().size(), 1u);
        EXPECT_EQ(messages.Shown()[0].text,
                  "An article named 'Why ask?' already exists in this folder.  Do you wish to replace it?");
        EXPECT_EQ(messages.Shown()[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(stayedOpen, answer == MessageAnswer::No);
    }
    EXPECT_EQ(ReadBytes(path), "Why ask?\r\nCy\r\nNot Yet Published\r\nQuestions\r\n~*^\r\nnew");
    EXPECT_EQ(FilesIn(Library()), QStringList{"Why_ask.txt"});
}

// New File after a file was saved opens with that article's fields and the
// focus on Save File: Enter must not silently empty the article.
TEST_F(FileInfoDialog, NewFileOverTheLastArticleAsksAndNoKeepsItByteForByte)
{
    State().EditorText = "the article's text";
    ScopedModalScript first({SaveWith({"Keep me", "Ann", "", "", "", "T"})});
    Frame().ExecuteCommand(CommandId::NewFile);
    const std::string path = Library() + "/Keep_me.txt";
    const std::string saved = ReadBytes(path);

    ScopedMessageScript messages({MessageAnswer::No});
    bool stayedOpen = false;
    QString prefilled;
    ScopedModalScript second({[&](QDialog& dialog) {
        prefilled = Child<QLineEdit>(dialog, "articleNameEdit").text();
        dialog.setResult(-1);
        Child<QPushButton>(dialog, "saveFileButton").click();  // Enter
        stayedOpen = dialog.result() == -1;
        EXPECT_EQ(Child<QLineEdit>(dialog, "articleNameEdit").text(), prefilled);
        dialog.reject();
        return dialog.result();
    }});
    Frame().ExecuteCommand(CommandId::NewFile);

    EXPECT_EQ(prefilled, QStringLiteral("Keep me"));
    EXPECT_EQ(messages.Shown().size(), 1u);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(ReadBytes(path), saved);
}

TEST_F(FileInfoDialog, SavingTheCurrentFileAgainNeverAsks)
{
    State().EditorText = "one";
    ScopedModalScript first({SaveWith({"Same", "Ann", "", "", "", "T"})});
    Frame().ExecuteCommand(CommandId::NewFile);
    State().EditorText = "two";
    ScopedMessageScript messages;
    ScopedModalScript again({SaveWith({"Same", "Ann", "", "", "", "T"})});
    Frame().ExecuteCommand(CommandId::SaveEditProperties);
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(ReadBytes(Library() + "/Same.txt"), "Same\r\nAnn\r\nNot Yet Published\r\nT\r\n~*^\r\ntwo");
}

struct FailedSave {
    const char* name;
    const char* article;
    std::function<void(const std::string& library)> arrange;
    const char* message;
};

class FileInfoDialogFailure : public AppFixture, public testing::WithParamInterface<FailedSave> {};

// A save that writes nothing says why and keeps the dialog with what was
// typed; nothing becomes current, and a later good save still works.
TEST_P(FileInfoDialogFailure, SaysWhyKeepsTheDialogAndWritesNothing)
{
    const FailedSave& c = GetParam();
    QDir().mkpath(QString::fromStdString(Library() + "/a"));
    c.arrange(Library());
    State().EditorText = "typed body";
    ScopedMessageScript messages;
    bool stayedOpen = false;
    Fields typed{"", "Dee", "Mar", "7", "2001", "T"};
    typed.article = c.article;
    QString articleLeft;
    ScopedModalScript script({[&](QDialog& dialog) {
        const int result = SaveWith(typed, &stayedOpen)(dialog);
        articleLeft = Child<QLineEdit>(dialog, "articleNameEdit").text();
        return result;
    }});
    Frame().ExecuteCommand(CommandId::NewFile);

    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(articleLeft.toStdString(), c.article);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].caption, "Plumet Assistant");
    EXPECT_EQ(messages.Shown()[0].text, c.message);
    EXPECT_EQ(messages.Shown()[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::None);
    EXPECT_EQ(State().CurrentFilePath, "");
    EXPECT_EQ(State().EditorText, "typed body");
    EXPECT_TRUE(FilesIn(Library()).isEmpty());
    EXPECT_TRUE(FilesIn(Library() + "/a").isEmpty());

    // The refused name did not become the current file, so the next save
    // still goes where the user is, not into "a".
    ScopedModalScript next({SaveWith({"Hello", "Dee", "", "", "", "T"})});
    Frame().ExecuteCommand(CommandId::NewFile);
    EXPECT_EQ(FilesIn(Library()), QStringList{"Hello.txt"});
}

constexpr const char* kRefusedMessage =
    "The file could not be saved because an Article Name cannot contain any of the characters "
    "\\ / : * \" < > | or a control character such as a tab.";

INSTANTIATE_TEST_SUITE_P(
    FileInfoDialog, FileInfoDialogFailure,
    testing::Values(
        FailedSave{"slash", "a/b", [](const std::string&) {}, kRefusedMessage},
        FailedSave{"backslash", "back\\slash", [](const std::string&) {}, kRefusedMessage},
        FailedSave{"colon", "colon:", [](const std::string&) {}, kRefusedMessage},
        FailedSave{"pipe", "pipe|", [](const std::string&) {}, kRefusedMessage},
        FailedSave{"quote", "\"quoted\"", [](const std::string&) {}, kRefusedMessage},
        FailedSave{"tab", "tab\there", [](const std::string&) {}, kRefusedMessage},
        FailedSave{"folder_in_the_way", "Busy",
                   [](const std::string& library) { QDir().mkpath(QString::fromStdString(library + "/Busy.txt")); },
                   "The file could not be saved because a folder of that name is in the way."}),
    [](const testing::TestParamInfo<FailedSave>& info) { return std::string(info.param.name); });

TEST_F(FileInfoDialog, DateListsOpenWideEnoughAndShowTwelveEntries)
{
    ScopedModalScript script({[](QDialog& dialog) {
        dialog.show();
        for (const char* name : {"monthCombo", "dayCombo"}) {
            auto& box = Child<QComboBox>(dialog, name);
            box.showPopup();
            QAbstractItemView& list = *box.view();
            EXPECT_TRUE(list.isVisible()) << name;
            const int rowHeight = list.sizeHintForRow(0);
            EXPECT_GE(list.viewport()->height(), 12 * rowHeight) << name;
            // Every entry's text fits beside the scroll bar, if there is one.
            EXPECT_GE(list.viewport()->width(), list.sizeHintForColumn(0)) << name;
            box.hidePopup();
        }
        dialog.reject();
        return dialog.result();
    }});
    Frame().ExecuteCommand(CommandId::NewFile);
    EXPECT_EQ(script.Runs(), 1);
}

TEST_F(FileInfoDialog, OpensWithListsFocusAndPrefill)
{
    State().ArticleName = "Held";
    State().AuthorName = "Author";
    State().Topic = "Topic";
    ScopedModalScript script({[](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Enter File Information"));
        EXPECT_EQ(Child<QLineEdit>(dialog, "articleNameEdit").text(), QStringLiteral("Held"));
        EXPECT_EQ(Child<QComboBox>(dialog, "monthCombo").currentText(), QString());
        auto& months = Child<QComboBox>(dialog, "monthCombo");
        EXPECT_EQ(months.count(), 12);
        EXPECT_EQ(months.itemText(0), QStringLiteral("Jan"));
        EXPECT_EQ(months.itemText(11), QStringLiteral("Dec"));
        auto& days = Child<QComboBox>(dialog, "dayCombo");
        EXPECT_EQ(days.count(), 31);
        EXPECT_EQ(days.itemText(30), QStringLiteral("31"));
        EXPECT_TRUE(Child<QPushButton>(dialog, "saveFileButton").isDefault());
        EXPECT_EQ(Child<QPushButton>(dialog, "saveFileButton").geometry(), QRect(68, 219, 120, 23));
        EXPECT_EQ(dialog.focusWidget(), &Child<QPushButton>(dialog, "saveFileButton"));
        // Tab order follows the resource order.
        QStringList order;
        QWidget* w = &Child<QPushButton>(dialog, "saveFileButton");
        do {
            // An editable combo box's own line edit has no name.
            if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty())
                order << w->objectName();
            w = w->nextInFocusChain();
        } while (w != &Child<QPushButton>(dialog, "saveFileButton"));
        EXPECT_EQ(order.join(',').toStdString(),
                  "saveFileButton,cancelButton,articleNameEdit,authorNameEdit,topicEdit,monthCombo,dayCombo,yearEdit");
        dialog.reject();
        return dialog.result();
    }});
    Frame().ExecuteCommand(CommandId::NewFile);
    EXPECT_EQ(script.Runs(), 1);
}
