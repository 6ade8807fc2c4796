#include "FolderListing.h"
#include "FolderTree.h"
#include "TestEnvironment.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

bool IsFolder(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::vector<std::string> Labels(const std::vector<FolderTree::Node>& nodes)
{
    std::vector<std::string> labels;
    for (const auto& node : nodes)
        labels.push_back(node.label);
    return labels;
}

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

class FolderOnDisk : public ::testing::Test {
protected:
    std::string Path(const std::string& relative) const { return root + "/" + relative; }
    void Folder(const std::string& relative) const { ASSERT_EQ(::mkdir(Path(relative).c_str(), 0777), 0) << relative; }
    void File(const std::string& relative) const { WriteBytes(Path(relative), "x\r\n"); }
    void Link(const std::string& target, const std::string& relative) const
    {
        ASSERT_EQ(::symlink(target.c_str(), Path(relative).c_str()), 0) << relative;
    }

    QTemporaryDir dir;
    std::string root = dir.path().toStdString();
};

}  // namespace

TEST(FolderTreeLabelOrder, IgnoresCaseAndIsTotal)
{
    EXPECT_TRUE(FolderTree::LabelLess("a", "B"));
    EXPECT_TRUE(FolderTree::LabelLess("B", "c"));
    EXPECT_FALSE(FolderTree::LabelLess("C", "b"));
    EXPECT_TRUE(FolderTree::LabelLess("My Content", "My Plumets"));
    EXPECT_TRUE(FolderTree::LabelLess("Ads", "ads"));  // ties fall back to the bytes
    EXPECT_FALSE(FolderTree::LabelLess("ads", "Ads"));
    EXPECT_FALSE(FolderTree::LabelLess("same", "same"));
    EXPECT_TRUE(FolderTree::LabelLess("New", "New Folder"));
}

using FolderTreeRead = FolderOnDisk;

TEST_F(FolderTreeRead, SortsEveryLevelAndSkipsFilesAndLinks)
{
    for (const char* name : {"B", "a", "C", "a/zeta", "a/Alpha", "a/Alpha/deep", "a/Alpha/deep/deeper"})
        Folder(name);
    File("a/file.txt");
    File(".hidden-file");
    QTemporaryDir outside;
    Link(outside.path().toStdString(), "a/link-out");
    Link(root, "a/loop");  // a link back up must not make the walk loop

    std::vector<FolderTree::Node> nodes;
    ASSERT_TRUE(FolderTree::Read(root, nodes));
    EXPECT_EQ(Labels(nodes), (std::vector<std::string>{"a", "B", "C"}));
    EXPECT_EQ(Labels(nodes[0].children), (std::vector<std::string>{"Alpha", "zeta"}));
    ASSERT_EQ(nodes[0].children[0].children.size(), 1u);
    const FolderTree::Node& deep = nodes[0].children[0].children[0];
    EXPECT_EQ(deep.label, "deep");
    EXPECT_EQ(Labels(deep.children), (std::vector<std::string>{"deeper"}));
    EXPECT_TRUE(nodes[1].children.empty());
}

TEST_F(FolderTreeRead, FailsOnlyWhenTheRootCannotBeListed)
{
    std::vector<FolderTree::Node> nodes{{"stale", {}}};
    EXPECT_FALSE(FolderTree::Read(Path("missing"), nodes));
    EXPECT_EQ(nodes.size(), 1u);  // left as it was

    EXPECT_TRUE(FolderTree::Read(root, nodes));
    EXPECT_TRUE(nodes.empty());
}

using FolderListingTest = FolderOnDisk;

TEST_F(FolderListingTest, FilesIncludeHiddenAndBrokenLinksButNoFolders)
{
    Folder("Old");
    File("a.txt");
    File(".hidden");
    File("picture.gif");
    Link(Path("nowhere"), "broken");
    Link(Path("a.txt"), "to-file");
    Link(Path("Old"), "to-folder");

    FolderEntries entries;
    ASSERT_TRUE(ListFolder(root, entries));
    EXPECT_EQ(Sorted(entries.files),
              (std::vector<std::string>{".hidden", "a.txt", "broken", "picture.gif", "to-file"}));
    EXPECT_EQ(entries.folders, (std::vector<std::string>{"Old"}));
}

TEST_F(FolderListingTest, AMissingFolderLeavesTheEntriesAlone)
{
    FolderEntries entries;
    entries.files = {"kept"};
    EXPECT_FALSE(ListFolder(Path("missing"), entries));
    EXPECT_EQ(entries.files, (std::vector<std::string>{"kept"}));
    File("file");
    EXPECT_FALSE(ListFolder(Path("file"), entries));
    EXPECT_EQ(entries.files, (std::vector<std::string>{"kept"}));
}

using FolderChanges = FolderOnDisk;

TEST_F(FolderChanges, MakeFolderRefusesBadNamesAndExistingFolders)
{
    EXPECT_TRUE(FolderTree::MakeFolder(root, "New Folder"));
    EXPECT_TRUE(IsFolder(Path("New Folder")));
    EXPECT_FALSE(FolderTree::MakeFolder(root, "New Folder"));
    for (const char* refused : {"", ".", "..", "a/b", "a\\b", "a:b", "a*b", "a\"b", "a<b", "a>b", "a|b"}) {
        EXPECT_FALSE(FolderTree::MakeFolder(root, refused)) << refused;
    }
    EXPECT_FALSE(Exists(Path("a")));
    EXPECT_FALSE(FolderTree::MakeFolder(Path("missing"), "x"));
}

TEST_F(FolderChanges, RenameKeepsContentsAndNeverReplacesAnotherFolder)
{
    Folder("My Plumets");
    File("My Plumets/issue.txt");
    Folder("Taken");

    EXPECT_TRUE(FolderTree::RenameFolder(root, "My Plumets", "Issues"));
    EXPECT_FALSE(Exists(Path("My Plumets")));
    EXPECT_TRUE(Exists(Path("Issues/issue.txt")));

    // rename(2) alone would replace the empty folder "Taken".
    EXPECT_FALSE(FolderTree::RenameFolder(root, "Issues", "Taken"));
    EXPECT_TRUE(Exists(Path("Issues/issue.txt")));
    EXPECT_TRUE(IsFolder(Path("Taken")));

    EXPECT_FALSE(FolderTree::RenameFolder(root, "Issues", "a/b"));
    EXPECT_FALSE(FolderTree::RenameFolder(root, "absent", "Other"));
    EXPECT_FALSE(Exists(Path("Other")));
    EXPECT_TRUE(FolderTree::RenameFolder(root, "Issues", "Issues"));
    EXPECT_TRUE(IsFolder(Path("Issues")));
}

TEST_F(FolderChanges, RemoveAllDeletesLinksButNeverWhatTheyPointTo)
{
    QTemporaryDir outside;
    const std::string target = outside.path().toStdString();
    WriteBytes(target + "/precious.txt", "keep");

    Folder("Doomed");
    Folder("Doomed/sub");
    Folder("Doomed/sub/deeper");
    File("Doomed/a.txt");
    File("Doomed/.hidden");
    File("Doomed/sub/deeper/b.txt");
    Link(target, "Doomed/link-to-folder");
    Link(target + "/precious.txt", "Doomed/sub/link-to-file");
    Folder("Neighbour");

    EXPECT_TRUE(FolderTree::RemoveAll(Path("Doomed")));
    EXPECT_FALSE(Exists(Path("Doomed")));
    EXPECT_TRUE(IsFolder(Path("Neighbour")));
    EXPECT_EQ(ReadBytes(target + "/precious.txt"), "keep");

    EXPECT_FALSE(FolderTree::RemoveAll(Path("Doomed")));
}

TEST_F(FolderChanges, RemoveAllOfALinkRemovesOnlyTheLink)
{
    QTemporaryDir outside;
    WriteBytes(outside.path().toStdString() + "/precious.txt", "keep");
    Link(outside.path().toStdString(), "link");

    EXPECT_TRUE(FolderTree::RemoveAll(Path("link")));
    EXPECT_FALSE(Exists(Path("link")));
    EXPECT_EQ(ReadBytes(outside.path().toStdString() + "/precious.txt"), "keep");
}
