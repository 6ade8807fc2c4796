// Saves of the editor pane's text, driven through the real tree, list and
// editor: they land beside the file the pane loaded.
#include "PaneFixture.h"

#include <QPushButton>
#include <QTest>

namespace {

const std::string kEdited = "Edited Article\r\nAnn\r\nNot Yet Published\r\nMisc\r\n~*^\r\none\r\n";
const std::string kOther = "Welcome to Plumet\r\nBob\r\nNot Yet Published\r\nNews\r\n~*^\r\nwelcome\r\n";
const std::string kSaved = "Edited Article\r\nAnn\r\nNot Yet Published\r\nMisc\r\n~*^\r\nXone\r\r\n";

int SaveAsPrefilled(QDialog& dialog)
{
    Child<QPushButton>(dialog, "saveFileButton").click();
    return dialog.result();
}

class EditorSaves : public PaneFixture {
protected:
    // Shows "My Content" with two articles, opens the edited one by a click
    // on its row and types into the pane.
    void OpenAndEdit()
    {
        Start();
        WriteBytes(OnDisk("My Content/Edited_Article.txt"), kEdited);
        WriteBytes(OnDisk("My Content/Welcome_to_Plumet.txt"), kOther);
        Select("File Manager/My Content");
        const QRect cell = List().visualRect(RowOf("Edited Article"));
        QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, cell.center());
        ASSERT_EQ(Editor().Text(), "one\r\n");
        Activate(Editor());
        QTest::keyClicks(&Editor(), "X");
    }

    QModelIndex RowOf(const QString& article)
    {
        for (int row = 0; row < List().model()->rowCount(); ++row)
            if (List().model()->index(row, 0).data().toString() == article)
                return List().model()->index(row, 0);
        return {};
    }

    MyEdit& Editor() { return Frame().Editor(); }
};

}  // namespace

TEST_F(EditorSaves, YesAfterSelectingAnotherFolderSavesBesideTheLoadedFile)
{
    OpenAndEdit();
    ScopedMessageScript answers({MessageAnswer::Yes});
    ScopedModalScript save({SaveAsPrefilled});

    Select("File Manager/My Plumets");

    EXPECT_EQ(save.Runs(), 1);
    EXPECT_EQ(ReadBytes(OnDisk("My Content/Edited_Article.txt")), kSaved);
    EXPECT_TRUE(QDir(QString::fromStdString(OnDisk("My Plumets"))).isEmpty());
    EXPECT_EQ(State().CurrentFilePath, "");  // the new folder has no current file
}

TEST_F(EditorSaves, SaveAfterARefusedOneIsPrefilledFromTheLoadedFile)
{
    OpenAndEdit();
    {
        // Topic emptied: the mandatory-fields message, then Cancel.
        ScopedMessageScript refused;
        ScopedModalScript cancel({[](QDialog& dialog) {
            Child<QLineEdit>(dialog, "topicEdit").clear();
            Child<QPushButton>(dialog, "saveFileButton").click();
            Child<QPushButton>(dialog, "cancelButton").click();
            return dialog.result();
        }});
        Run(CommandId::SaveEditProperties);
        ASSERT_EQ(refused.Shown().size(), 1u);
    }
    // Painting the other row makes its file current, as every paint does.
    List().viewport()->repaint(List().visualRect(RowOf("Welcome to Plumet")));
    ASSERT_EQ(State().CurrentFilePath, OnDisk("My Content/Welcome_to_Plumet.txt"));

    QString prefilled;
    ScopedModalScript save({[&](QDialog& dialog) {
        prefilled = Child<QLineEdit>(dialog, "articleNameEdit").text();
        return SaveAsPrefilled(dialog);
    }});
    QTest::keyClick(&Editor(), Qt::Key_S, Qt::ControlModifier);

    EXPECT_EQ(save.Runs(), 1);
    EXPECT_EQ(prefilled, "Edited Article");
    EXPECT_EQ(ReadBytes(OnDisk("My Content/Edited_Article.txt")), kSaved);
    EXPECT_EQ(ReadBytes(OnDisk("My Content/Welcome_to_Plumet.txt")), kOther);
}
