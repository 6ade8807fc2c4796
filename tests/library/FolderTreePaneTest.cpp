#include "PaneFixture.h"

#include <QAction>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

#include <unistd.h>

namespace {
const QStringList kStartFolders{"My Content", "My Plumets", "Premium Content"};
}  // namespace

using FolderTreePane = PaneFixture;

TEST_F(FolderTreePane, ShowsEveryFolderSortedUnderTheRootCollapsedWithNothingSelected)
{
    Start({"B", "a", "C", "a/inner", "My Content/Old/Older"});

    ASSERT_EQ(Tree().topLevelItemCount(), 1);
    QTreeWidgetItem* root = Tree().topLevelItem(0);
    EXPECT_EQ(root->text(0), "File Manager");
    EXPECT_EQ(ChildLabels("File Manager"),
              (QStringList{"a", "B", "C", "My Content", "My Plumets", "Premium Content"}));
    EXPECT_EQ(ChildLabels("File Manager/Premium Content"), (QStringList{"Ads", "Articles"}));
    EXPECT_EQ(ChildLabels("File Manager/My Content/Old"), (QStringList{"Older"}));
    EXPECT_EQ(ChildLabels("File Manager/a"), (QStringList{"inner"}));

    EXPECT_FALSE(root->isExpanded());
    EXPECT_TRUE(Tree().selectedItems().isEmpty());
    EXPECT_EQ(State().CurrentFolder, "");
    EXPECT_TRUE(spy.updates.empty());
    EXPECT_FALSE(Item("File Manager/My Content/Old/Older")->icon(0).pixmap(16, 16).isNull());
}

// Pixels in the rectangle that differ from the tree's background.
int DrawnPixels(const QImage& image, const QRect& area, QRgb background)
{
    int drawn = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            drawn += image.pixel(x, y) != background;
    return drawn;
}

TEST_F(FolderTreePane, DrawsLinesKeepsThePictureAndScrollsLongNames)
{
    Start({"Premium Content/Articles and Ads Sent by the Maker Every Month"});
    Tree().expandAll();
    QCoreApplication::processEvents();

    // A folder without sub-folders still has its connecting lines drawn
    // left of its picture.
    const QTreeWidgetItem* plain = Item("File Manager/My Plumets");
    const QRect row = Tree().visualItemRect(plain);
    const QRect branch(row.left() - Tree().indentation(), row.top(), Tree().indentation(), row.height());
    const QImage image = Tree().viewport()->grab().toImage();
    const QRgb background = image.pixel(Tree().viewport()->width() - 1, row.center().y());
    EXPECT_GT(DrawnPixels(image, branch, background), 0);
    // Above the root's box nothing: no line leads into the first item.
    const QRect rootRow = Tree().visualItemRect(Tree().topLevelItem(0));
    const QRect aboveBox(0, rootRow.top(), Tree().indentation(), rootRow.height() / 2 - 5);
    EXPECT_EQ(DrawnPixels(image, aboveBox, background), 0);

    const QIcon icon = plain->icon(0);
    EXPECT_EQ(icon.pixmap(16, QIcon::Selected).toImage(), icon.pixmap(16, QIcon::Normal).toImage());

    // The long name is shown whole and the pane scrolls sideways to it.
    const QTreeWidgetItem* deep = Item("File Manager/Premium Content/Articles and Ads Sent by the Maker Every Month");
    ASSERT_NE(deep, nullptr);
    const int labelWidth = Tree().iconSize().width() + Tree().fontMetrics().horizontalAdvance(deep->text(0));
    EXPECT_GE(Tree().visualItemRect(deep).width(), labelWidth);
    EXPECT_GT(Tree().horizontalScrollBar()->maximum(), 0);
}

TEST_F(FolderTreePane, AnUnlistableLibraryShowsOneEmptyChild)
{
    Start();
    State().LibraryRoot = env.Folder() + "/missing";
    Tree().PopulateTree();
    EXPECT_EQ(ChildLabels("File Manager"), QStringList{""});
}

TEST_F(FolderTreePane, SelectingAFolderMakesItCurrentAndTellsTheOtherPanes)
{
    Start({"My Content/Old"});
    Select("File Manager/My Content/Old");

    EXPECT_EQ(State().CurrentFolder, "File Manager/My Content/Old");
    ASSERT_EQ(spy.updates.size(), 1u);
    EXPECT_EQ(spy.updates[0], std::make_pair(kSelectionHint, std::string("File Manager/My Content/Old")));
}

TEST_F(FolderTreePane, NewFolderAcceptedUnchangedIsMadeInTheSelectedFolder)
{
    Start();
    Select("File Manager/My Content");
    Activate(Tree());
    QTest::keyClick(&Frame(), Qt::Key_N, Qt::ControlModifier);

    QLineEdit* editor = LabelEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "New Folder");
    EXPECT_EQ(State().CurrentFolder, "File Manager/My Content/New Folder");
    EXPECT_FALSE(IsFolder("My Content/New Folder"));  // nothing on disk until the edit ends

    Press(editor, Qt::Key_Return);
    EXPECT_TRUE(IsFolder("My Content/New Folder"));
    EXPECT_EQ(ChildLabels("File Manager/My Content"), QStringList{"New Folder"});
    EXPECT_EQ(State().CurrentFolder, "File Manager/My Content");
    EXPECT_FALSE(State().RenamePending);
}

TEST_F(FolderTreePane, NewFolderDeepDownEndsWithTheTopLevelFolderSelected)
{
    Start();
    Select("File Manager/Premium Content/Articles");
    Activate(Tree());
    Run(CommandId::NewFolder);
    ASSERT_NE(LabelEditor(), nullptr);
    LabelEditor()->setText("Spring");
    Press(LabelEditor(), Qt::Key_Return);

    EXPECT_TRUE(IsFolder("Premium Content/Articles/Spring"));
    EXPECT_EQ(State().CurrentFolder, "File Manager/Premium Content");
    ASSERT_FALSE(spy.updates.empty());
    EXPECT_EQ(spy.updates.back().second, "File Manager/Premium Content");
}

TEST_F(FolderTreePane, NewFolderFromTheListOrWithNothingSelectedDoesNothing)
{
    Start();
    Activate(Tree());
    Run(CommandId::NewFolder);
    EXPECT_EQ(ChildLabels("File Manager"), kStartFolders);
    EXPECT_EQ(LabelEditor(), nullptr);

    Select("File Manager/My Content");
    Activate(List());
    QTest::keyClick(&Frame(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(ChildLabels("File Manager/My Content").isEmpty());
    EXPECT_EQ(LabelEditor(), nullptr);
}

TEST_F(FolderTreePane, RenameThenEscThenNewFolderCreatesAndRenamesNothingElse)
{
    Start();
    Select("File Manager/My Plumets");
    Activate(Tree());
    Run(CommandId::RenameFolder);
    ASSERT_NE(LabelEditor(), nullptr);
    EXPECT_TRUE(State().RenamePending);
    EXPECT_EQ(State().RenameOldName, "My Plumets");
    Press(LabelEditor(), Qt::Key_Escape);
    EXPECT_FALSE(State().RenamePending);

    Run(CommandId::NewFolder);
    ASSERT_NE(LabelEditor(), nullptr);
    Press(LabelEditor(), Qt::Key_Return);

    EXPECT_TRUE(IsFolder("My Plumets/New Folder"));
    EXPECT_EQ(QDir(QString::fromStdString(Library())).entryList(QDir::Dirs | QDir::NoDotAndDotDot), kStartFolders);
    EXPECT_EQ(ChildLabels("File Manager"), kStartFolders);
}

TEST_F(FolderTreePane, RenameFolderRenamesOnDiskWithTheContents)
{
    Start({"My Plumets/March"});
    Select("File Manager/My Plumets");
    Activate(Tree());
    Run(CommandId::RenameFolder);
    ASSERT_NE(LabelEditor(), nullptr);
    LabelEditor()->setText("Issues");
    Press(LabelEditor(), Qt::Key_Return);

    EXPECT_FALSE(IsFolder("My Plumets"));
    EXPECT_TRUE(IsFolder("Issues/March"));
    EXPECT_NE(Item("File Manager/Issues/March"), nullptr);
    EXPECT_FALSE(State().RenamePending);
}

TEST_F(FolderTreePane, EditingAnExistingLabelDirectlyRenamesThatFolder)
{
    Start();
    Select("File Manager/My Content");
    Tree().editItem(Item("File Manager/My Content"));  // as a click on the selected label does
    ASSERT_NE(LabelEditor(), nullptr);
    LabelEditor()->setText("Drafts");
    Press(LabelEditor(), Qt::Key_Return);

    EXPECT_TRUE(IsFolder("Drafts"));
    EXPECT_FALSE(IsFolder("My Content"));
}

TEST_F(FolderTreePane, RefusedOrTakenNamesChangeNothingOnDiskButKeepTheTypedLabel)
{
    Start();
    Select("File Manager/My Content");
    Activate(Tree());
    Run(CommandId::RenameFolder);
    ASSERT_NE(LabelEditor(), nullptr);
    LabelEditor()->setText("a/b");
    Press(LabelEditor(), Qt::Key_Return);
    EXPECT_TRUE(IsFolder("My Content"));
    EXPECT_TRUE(ChildLabels("File Manager").contains("a/b"));  // the label as typed

    Select("File Manager/My Plumets");
    Run(CommandId::RenameFolder);
    ASSERT_NE(LabelEditor(), nullptr);
    LabelEditor()->setText("Premium Content");
    Press(LabelEditor(), Qt::Key_Return);
    EXPECT_TRUE(IsFolder("My Plumets"));
    EXPECT_TRUE(IsFolder("Premium Content/Articles"));

    EXPECT_EQ(QDir(QString::fromStdString(Library())).entryList(QDir::Dirs | QDir::NoDotAndDotDot), kStartFolders);
}

TEST_F(FolderTreePane, TheRootIsNeverRenamedOrDeleted)
{
    Start();
    Select("File Manager");
    Activate(Tree());
    Run(CommandId::RenameFolder);
    EXPECT_EQ(LabelEditor(), nullptr);
    EXPECT_FALSE(State().RenamePending);
    Run(CommandId::DeleteFolder);
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_TRUE(IsFolder("My Content"));
    EXPECT_EQ(Tree().topLevelItem(0)->text(0), "File Manager");
}

TEST_F(FolderTreePane, DeleteAnsweredNoKeepsEverything)
{
    Start({"My Content/Old"});
    Select("File Manager/My Content");
    Activate(Tree());
    Run(CommandId::DeleteFolder);  // unscripted: answered No

    ASSERT_EQ(messages.Shown().size(), 1u);
    const MessageRecord& question = messages.Shown()[0];
    EXPECT_EQ(question.caption, "Plumet Assistant");
    EXPECT_EQ(question.text, "Are you sure you want to delete 'My Content' and all its contents?");
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.icon, MessageIcon::None);
    EXPECT_TRUE(IsFolder("My Content/Old"));
    EXPECT_NE(Item("File Manager/My Content/Old"), nullptr);
}

TEST_F(FolderTreePane, EscapeAndTheCloseBoxDoNotAnswerTheDeleteQuestion)
{
    Start({"My Content/Old"});
    Select("File Manager/My Content");
    Activate(Tree());
    ScopedRealMessageBoxes boxes({MessageAnswer::No});
    Run(CommandId::DeleteFolder);

    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(boxes.Shown()[0].openAfterEscape);
    EXPECT_TRUE(boxes.Shown()[0].openAfterClose);
    EXPECT_TRUE(IsFolder("My Content/Old"));
}

TEST_F(FolderTreePane, DeleteAnsweredYesRemovesEverythingInsideButNotWhatLinksPointTo)
{
    QTemporaryDir outside;
    const std::string target = outside.path().toStdString();
    WriteBytes(target + "/precious.txt", "keep");
    Start({"My Content/Doomed/sub/deeper"});
    WriteBytes(OnDisk("My Content/Doomed/a.txt"), "A\r\n");
    WriteBytes(OnDisk("My Content/Doomed/sub/deeper/b.txt"), "B\r\n");
    ASSERT_EQ(::symlink(target.c_str(), OnDisk("My Content/Doomed/sub/link").c_str()), 0);
    Tree().PopulateTree();

    Select("File Manager/My Content/Doomed");
    Activate(Frame().Editor());  // Delete Folder reaches the tree from any pane
    ScopedMessageScript yes({MessageAnswer::Yes});
    Run(CommandId::DeleteFolder);

    ASSERT_EQ(yes.Shown().size(), 1u);
    EXPECT_EQ(yes.Shown()[0].text, "Are you sure you want to delete 'Doomed' and all its contents?");
    EXPECT_FALSE(QDir(QString::fromStdString(OnDisk("My Content/Doomed"))).exists());
    EXPECT_TRUE(IsFolder("My Content"));
    EXPECT_EQ(ReadBytes(target + "/precious.txt"), "keep");
    EXPECT_EQ(Item("File Manager/My Content/Doomed"), nullptr);
    // Another item is selected and announced in its place.
    ASSERT_EQ(Tree().selectedItems().size(), 1);
    EXPECT_EQ(State().CurrentFolder, "File Manager/My Content");
    EXPECT_EQ(spy.updates.back().second, "File Manager/My Content");
}

TEST_F(FolderTreePane, RightClickShowsTheMenuWithoutMovingTheSelection)
{
    Start();
    Select("File Manager/My Content");
    Tree().topLevelItem(0)->setExpanded(true);
    Activate(List());
    const QRect plumets = Tree().visualItemRect(Item("File Manager/My Plumets"));
    ASSERT_TRUE(plumets.isValid());
    QTest::mousePress(Tree().viewport(), Qt::RightButton, {}, plumets.center());
    QTest::mouseRelease(Tree().viewport(), Qt::RightButton, {}, plumets.center());

    EXPECT_EQ(Tree().selectedItems(), QList<QTreeWidgetItem*>{Item("File Manager/My Content")});
    EXPECT_EQ(Frame().ActivePane(), &static_cast<CView&>(Tree()));
    auto* menu = Tree().findChild<QMenu*>("folderContextMenu");
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(texts, (QStringList{"New Folder", "Rename Folder", "-", "Delete Folder"}));

    ScopedMessageScript yes({MessageAnswer::Yes});
    menu->findChild<QAction*>("command32779")->trigger();
    menu->close();
    ASSERT_EQ(yes.Shown().size(), 1u);
    EXPECT_EQ(yes.Shown()[0].text, "Are you sure you want to delete 'My Content' and all its contents?");
    EXPECT_FALSE(IsFolder("My Content"));
    EXPECT_TRUE(IsFolder("My Plumets"));
}

TEST_F(FolderTreePane, SaveEditPropertiesRunsTheFileDialogOnly)
{
    Start();
    Select("File Manager/My Content");
    Activate(Tree());
    const auto updates = spy.updates.size();
    Run(CommandId::SaveEditProperties);
    EXPECT_EQ(dialogs.Runs(), 1);
    EXPECT_EQ(spy.updates.size(), updates);
    EXPECT_EQ(State().CurrentFolder, "File Manager/My Content");
}

TEST_F(FolderTreePane, ItemsLeftByRefusedNamesNeverReachTheDisk)
{
    WriteBytes(env.Folder() + "/beside-the-library.txt", "keep");
    Start({"My Content/Kept"});
    for (const char* label : {"", ".", ".."}) {
        Select("File Manager");
        Activate(Tree());
        Run(CommandId::NewFolder);
        ASSERT_NE(LabelEditor(), nullptr);
        LabelEditor()->setText(label);
        Press(LabelEditor(), Qt::Key_Return);
        QTreeWidgetItem* left = Item(std::string("File Manager/") + label);
        ASSERT_NE(left, nullptr) << label;

        const std::string folderBefore = State().CurrentFolder;
        Tree().setCurrentItem(left);
        EXPECT_EQ(State().CurrentFolder, folderBefore) << label;
        Run(CommandId::NewFolder);
        EXPECT_EQ(LabelEditor(), nullptr) << label;

        ScopedMessageScript yes({MessageAnswer::Yes});
        Run(CommandId::DeleteFolder);
        EXPECT_EQ(yes.Shown().size(), 1u) << label;
        EXPECT_TRUE(IsFolder("My Content/Kept")) << label;
        EXPECT_TRUE(IsFolder("Premium Content/Articles")) << label;
        EXPECT_EQ(ReadBytes(env.Folder() + "/beside-the-library.txt"), "keep") << label;
    }
}
