#include "LibraryFolders.h"
#include "PlumetState.h"
#include "TestEnvironment.h"

#include <QDirIterator>

#include <gtest/gtest.h>

namespace {
QStringList FoldersBelow(const std::string& root)
{
    QStringList found;
    QDirIterator it(QString::fromStdString(root), QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next().mid(int(root.size()) + 1);
    found.sort();
    return found;
}
}  // namespace

TEST(LibraryFolders, FirstStartMakesTheSixFoldersBelowTheCurrentFolder)
{
    TestEnvironment env;
    PlumetState state;
    CreateLibraryFolders(state);
    EXPECT_EQ(state.ProgramFolder, env.Folder());
    EXPECT_EQ(state.LibraryRoot, env.Folder() + "/File Manager");
    EXPECT_EQ(FoldersBelow(env.Folder()),
              (QStringList{"File Manager", "File Manager/My Content", "File Manager/My Plumets",
                           "File Manager/Premium Content", "File Manager/Premium Content/Ads",
                           "File Manager/Premium Content/Articles"}));
}

TEST(LibraryFolders, LaterStartsRemakeMissingFoldersAndKeepEverythingElse)
{
    TestEnvironment env;
    PlumetState state;
    CreateLibraryFolders(state);
    WriteBytes(state.LibraryRoot + "/My Plumets/issue.txt", "kept");
    QDir(QString::fromStdString(state.LibraryRoot + "/My Content")).removeRecursively();

    PlumetState next;
    CreateLibraryFolders(next);
    EXPECT_TRUE(QDir(QString::fromStdString(state.LibraryRoot + "/My Content")).exists());
    EXPECT_EQ(ReadBytes(state.LibraryRoot + "/My Plumets/issue.txt"), "kept");
}
