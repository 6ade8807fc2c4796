#include "AppFixture.h"
#include "CommandIds.h"
#include "DialogFace.h"
#include "LeftView.h"
#include "MyEdit.h"
#include "PlumetView.h"
#include "FileListModel.h"

#include <QApplication>
#include <QDirIterator>
#include <QLabel>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QSplitter>
#include <QTreeWidget>

#include <cstdio>

namespace {
QStringList FoldersBelow(const std::string& root)
{
    QStringList found;
    QDirIterator it(QString::fromStdString(root), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next().mid(int(root.size()) + 1);
    found.sort();
    return found;
}
}  // namespace

using Startup = AppFixture;

TEST_F(Startup, FirstStartInAnEmptyFolderMakesExactlyTheSixFolders)
{
    EXPECT_EQ(FoldersBelow(env.Folder()),
              (QStringList{"File Manager", "File Manager/My Content", "File Manager/My Plumets",
                           "File Manager/Premium Content", "File Manager/Premium Content/Ads",
                           "File Manager/Premium Content/Articles"}));
    EXPECT_EQ(State().ProgramFolder, env.Folder());
    EXPECT_EQ(State().LibraryRoot, Library());
}

TEST_F(Startup, MainWindowIsTitledUntitledWithTreeListAndEditorInSplitters)
{
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Untitled - Plumet"));
    EXPECT_TRUE(Frame().isVisible());

    auto* outer = Frame().findChild<QSplitter*>("outerSplitter");
    auto* inner = Frame().findChild<QSplitter*>("innerSplitter");
    ASSERT_TRUE(outer && inner);
    ASSERT_EQ(outer->count(), 2);
    EXPECT_EQ(outer->widget(0), &static_cast<QWidget&>(Frame().Tree()));
    EXPECT_EQ(outer->widget(1), inner);
    ASSERT_EQ(inner->count(), 2);
    EXPECT_EQ(outer->sizes().front(), 150);
    EXPECT_EQ(inner->sizes().front(), 175);

    const auto& views = app.Document().Views();
    ASSERT_EQ(views.size(), 3u);
    EXPECT_EQ(&views[0]->Widget(), &static_cast<QWidget&>(Frame().Tree()));
    // No desktop font here: the face the dialogs were drawn in.
    EXPECT_EQ(QApplication::font(), ClassicDialogFace());
    EXPECT_FALSE(QApplication::windowIcon().isNull()) << "every window shows the program's icon";
}

TEST_F(Startup, OpeningAFileMakesItTheDocumentWithoutReadingIt)
{
    WriteBytes(Library() + "/My Content/a.txt", "A\r\nB\r\nC\r\nD\r\n~*^\r\nsponsorID body\r\n");
    Frame().Tree().setCurrentItem(Frame().Tree().topLevelItem(0)->child(0));
    ASSERT_EQ(Frame().List().Model().Folder(), Library() + "/My Content");

    const std::string path = Library() + "/My Content/a.txt";
    ScopedModalScript script({[&](QDialog& dialog) {
        auto& chooser = dynamic_cast<QFileDialog&>(dialog);
        EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Open"));
        EXPECT_EQ(chooser.nameFilters(), QStringList{"All Files (*.*)"});
        // ... which names every file, as it does on the desktop platform.
        auto* model = chooser.findChild<QFileSystemModel*>();
        EXPECT_TRUE(model && model->nameFilters() == QStringList{"*"});
        chooser.selectFile(QString::fromStdString(path));
        static_cast<QDialog&>(chooser).accept();
        return chooser.result();
    }});
    Frame().ExecuteCommand(CommandId::Open);

    EXPECT_EQ(script.Runs(), 1);
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("a.txt - Plumet"));
    ASSERT_FALSE(app.RecentFiles().Files().empty());
    EXPECT_EQ(app.RecentFiles().Files().front(), path);
    // Set up again: nothing selected, the list back at the root, nothing loaded.
    EXPECT_TRUE(Frame().Tree().selectedItems().isEmpty());
    EXPECT_EQ(Frame().List().Model().Folder(), Library());
    EXPECT_EQ(Frame().Editor().toPlainText(), QString());
    EXPECT_EQ(ReadBytes(path), "A\r\nB\r\nC\r\nD\r\n~*^\r\nsponsorID body\r\n");
}

TEST_F(Startup, RecentFilesKeepFourAndReopenFromTheMenu)
{
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}) {
        WriteBytes(env.Folder() + "/" + name, "");
        app.OpenDocumentFile(env.Folder() + "/" + name);
    }
    ASSERT_EQ(app.RecentFiles().Files().size(), 4u);
    EXPECT_EQ(app.RecentFiles().Files()[3], env.Folder() + "/b.txt");

    EXPECT_TRUE(Frame().IsCommandEnabled(CommandId::RecentFile + 3));
    Frame().ExecuteCommand(CommandId::RecentFile + 3);
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("b.txt - Plumet"));
    EXPECT_EQ(app.RecentFiles().Files().front(), env.Folder() + "/b.txt");

    // The list lives in the per-user settings store.
    CRecentFileList stored("Plumet", 4);
    stored.Load();
    EXPECT_EQ(stored.Files(), app.RecentFiles().Files());
}

TEST_F(Startup, RecentFileThatVanishedIsReportedAndLeavesTheList)
{
    const std::string path = env.Folder() + "/gone.txt";
    WriteBytes(path, "");
    app.OpenDocumentFile(path);
    std::remove(path.c_str());
    ScopedMessageScript messages;
    Frame().ExecuteCommand(CommandId::RecentFile);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "Failed to open document.");
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("gone.txt - Plumet"));
    EXPECT_TRUE(app.RecentFiles().Files().empty());
    EXPECT_FALSE(Frame().IsCommandEnabled(CommandId::RecentFile));
}

TEST(StartupWithAFile, AFileThatIsNotThereEndsTheProgram)
{
    TestEnvironment env;
    ScopedMessageScript messages;
    CPlumetApp app;
    EXPECT_FALSE(app.InitInstance({"nope.plm"}));
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].caption, "Plumet");
    EXPECT_TRUE(app.RecentFiles().Files().empty());
}

TEST_F(Startup, AboutBoxShowsTheVersion)
{
    QString caption, text;
    ScopedModalScript script({[&](QDialog& dialog) {
        caption = dialog.windowTitle();
        text = Child<QLabel>(dialog, "versionLabel").text();
        dialog.accept();
        return dialog.result();
    }});
    Frame().ExecuteCommand(CommandId::About);
    EXPECT_EQ(caption, QStringLiteral("About Plumet"));
    EXPECT_EQ(text, QStringLiteral("Plumet Assistant Version 1.0"));
}

TEST(StartupDownload, PremiumFilesArriveBeforeThePanesShowThemAndAreFetchedOnce)
{
    TestEnvironment env;
    LoopbackHttpServer server([](const std::string& line) {
        if (line == "GET /kestrin/articles.txt HTTP/1.0")
            return LoopbackHttpServer::Answer("Tip.txt\r\n");
        if (line == "GET /kestrin/Tip.txt HTTP/1.0")
            return LoopbackHttpServer::Answer("A Tip\r\nAnn\r\nJan/5/2025\r\nMisc\r\n~*^\r\nbody\r\n");
        return LoopbackHttpServer::Answer("");
    });
    env.PointServersAt(server.Port(), server.Port());
    const std::string articles = env.Folder() + "/File Manager/Premium Content/Articles";
    for (int start = 0; start < 2; ++start) {
        ScopedMessageScript messages;
        CPlumetApp app;
        ASSERT_TRUE(app.InitInstance({}));
        EXPECT_TRUE(messages.Shown().empty());
        CLeftView& tree = app.MainFrame()->Tree();
        QTreeWidgetItem* premium = tree.topLevelItem(0)->child(2);
        ASSERT_EQ(premium->child(1)->text(0), QStringLiteral("Articles"));
        tree.setCurrentItem(premium->child(1));
        EXPECT_EQ(app.MainFrame()->List().Model().rowCount(), 1);
    }
    EXPECT_EQ(ReadBytes(articles + "/Tip.txt"), "A Tip\r\nAnn\r\nJan/5/2025\r\nMisc\r\n~*^\r\nbody\r\n");
    EXPECT_EQ(server.Targets(), (std::vector<std::string>{"/kestrin/articles.txt", "/kestrin/Tip.txt",
                                                          "/kestrin/ads.txt", "/kestrin/articles.txt",
                                                          "/kestrin/ads.txt"}));
}
