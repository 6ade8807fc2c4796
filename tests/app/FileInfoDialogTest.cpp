#include "AppFixture.h"
#include "CommandIds.h"
#include "FileInformation.h"

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

TEST_F(FileInfoDialog, ExistingFileOfTheSameMappedNameIsReplaced)
{
    WriteBytes(Library() + "/Why_ask.txt", "old header\r\n~*^\r\nold body that is long");
    State().EditorText = "new";
    ScopedModalScript script({SaveWith({"Why ask?", "Cy", "", "", "", "Questions"})});
    Frame().ExecuteCommand(CommandId::NewFile);
    EXPECT_EQ(ReadBytes(Library() + "/Why_ask.txt"), "Why ask?\r\nCy\r\nNot Yet Published\r\nQuestions\r\n~*^\r\nnew");
    EXPECT_EQ(FilesIn(Library()), QStringList{"Why_ask.txt"});
}

TEST_F(FileInfoDialog, RefusedNameWritesNothingAndClosesTheDialog)
{
    // A folder "a" would take "b.txt" if "a/b" were not refused.
    QDir().mkpath(QString::fromStdString(Library() + "/a"));
    for (const char* name : {"a/b", "back\\slash", "colon:", "pipe|", "\"quoted\""}) {
        bool stayedOpen = true;
        ScopedMessageScript messages;
        ScopedModalScript script({SaveWith({name, "Dee", "", "", "", "T"}, &stayedOpen)});
        State().CurrentFilePath.clear();
        Frame().ExecuteCommand(CommandId::NewFile);
        EXPECT_FALSE(stayedOpen) << name;
        EXPECT_TRUE(messages.Shown().empty()) << name;
    }
    EXPECT_TRUE(FilesIn(Library()).isEmpty());
    EXPECT_TRUE(FilesIn(Library() + "/a").isEmpty());
    EXPECT_EQ(QDir(QString::fromStdString(Library())).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              (QStringList{"a", "My Content", "My Plumets", "Premium Content"}));
    // The refused name does not become the current file, so the next save
    // still goes where the user is, not into "a".
    EXPECT_EQ(State().CurrentFilePath, "");
    ScopedModalScript next({SaveWith({"Hello", "Dee", "", "", "", "T"})});
    Frame().ExecuteCommand(CommandId::NewFile);
    EXPECT_EQ(FilesIn(Library()), QStringList{"Hello.txt"});
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
