#include "AppFixture.h"
#include "CommandIds.h"
#include "LeftView.h"

#include <QDirIterator>
#include <QLabel>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QSplitter>

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
}

TEST_F(Startup, OpeningAFileMakesItTheDocumentWithoutReadingIt)
{
    const std::string path = env.Folder() + "/notes.plm";
    WriteBytes(path, "not read");
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
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("notes.plm - Plumet"));
    ASSERT_FALSE(app.RecentFiles().Files().empty());
    EXPECT_EQ(app.RecentFiles().Files().front(), path);
    EXPECT_EQ(ReadBytes(path), "not read");
    EXPECT_EQ(State().EditorText, "");
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

TEST_F(Startup, RecentFileThatVanishedLeavesTheList)
{
    const std::string path = env.Folder() + "/gone.txt";
    WriteBytes(path, "");
    app.OpenDocumentFile(path);
    std::remove(path.c_str());
    Frame().ExecuteCommand(CommandId::RecentFile);
    EXPECT_TRUE(app.RecentFiles().Files().empty());
    EXPECT_FALSE(Frame().IsCommandEnabled(CommandId::RecentFile));
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
