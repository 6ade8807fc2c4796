#include "Finder.h"
#include "LocalDrives.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class RecordingHost : public CFinderHost {
public:
    std::vector<std::string> folders;
    std::vector<std::string> found;
    int pumps = 0;
    int stopAfterPumps = -1;

    void ShowSearchedFolder(const std::string& folder) override { folders.push_back(folder); }
    void ShowFoundFile(const std::string& path) override { found.push_back(path); }
    bool PumpMessages() override { return ++pumps != stopAfterPumps; }
};

struct FinderTest : ::testing::Test {
    TestEnvironment environment;
    RecordingHost host;
    CFinder finder{host};

    // A folder below the test's folder, made with its parents; ends with "/".
    std::string Folder(const std::string& relative) const
    {
        std::string path = environment.Folder();
        for (size_t from = 0; from <= relative.size();) {
            const size_t slash = std::min(relative.find('/', from), relative.size());
            path += "/" + relative.substr(from, slash - from);
            ::mkdir(path.c_str(), 0777);
            from = slash + 1;
        }
        return path + "/";
    }
    std::string File(const std::string& folder, const std::string& name) const
    {
        WriteBytes(Folder(folder) + name, "MZ");
        return Folder(folder) + name;
    }
    bool Searched(const std::string& folder) const
    {
        return std::count(host.folders.begin(), host.folders.end(), folder) > 0;
    }
};

TEST_F(FinderTest, FindsTheFileOnEachDriveAndKeepsTheNameAsSpelt)
{
    File("C/Tools", "PLA1_0.exe");
    const std::string onD = File("D/deep/er", "pla1_0.EXE");
    File("D", "pla1_0.exe.bak");
    File("D", "xpla1_0.exe");

    ASSERT_TRUE(finder.SearchDrives({Folder("C"), Folder("D")}));
    EXPECT_EQ(finder.MatchCount(), 2);
    ASSERT_EQ(host.found.size(), 2u);
    EXPECT_EQ(host.found[0], Folder("C/Tools") + "PLA1_0.exe");
    EXPECT_EQ(host.found[1], onD);
    EXPECT_EQ(host.folders.front(), Folder("C"));
    for (const std::string& folder : host.folders)
        EXPECT_EQ(folder.back(), '/') << folder;
    EXPECT_TRUE(Searched(Folder("D/deep/er")));
}

TEST_F(FinderTest, TheSearchStopsAtTheFirstDriveThatDoesNotExist)
{
    File("E", "pla1_0.exe");
    const std::string missing = environment.Folder() + "/D/";
    ASSERT_TRUE(finder.SearchDrives({Folder("C"), missing, Folder("E")}));
    EXPECT_EQ(finder.MatchCount(), 0);
    EXPECT_FALSE(Searched(Folder("E")));
    EXPECT_EQ(SearchOutcomeText(finder.MatchCount()), "Done: (none found)");
    EXPECT_EQ(SearchOutcomeText(3), "Done: (3 occurences found)");
}

TEST_F(FinderTest, AMatchEndsTheSearchOfItsFolder)
{
    File("C/box", "pla1_0.exe");
    File("C/box/sub", "pla1_0.exe");
    // Whether the sub-folder is searched depends on whether the file system
    // lists it before the file.
    bool subFirst = false;
    DIR* listing = ::opendir(Folder("C/box").c_str());
    for (const dirent* entry; (entry = ::readdir(listing)) != nullptr;) {
        if (std::string(entry->d_name) == "sub")
            subFirst = true;
        if (std::string(entry->d_name) == "pla1_0.exe")
            break;
    }
    ::closedir(listing);

    ASSERT_TRUE(finder.SearchDrives({Folder("C")}));
    EXPECT_EQ(finder.MatchCount(), subFirst ? 2 : 1);
    EXPECT_EQ(Searched(Folder("C/box/sub")), subFirst);
    EXPECT_EQ(host.found.back(), Folder("C/box") + "pla1_0.exe");
}

TEST_F(FinderTest, FoldersNamedLikeTheFileAreEnteredAndHiddenOnesAreNot)
{
    const std::string inside = File("C/pla1_0.exe", "pla1_0.exe");
    File("C/.hidden", "pla1_0.exe");
    ASSERT_TRUE(finder.SearchDrives({Folder("C")}));
    EXPECT_EQ(host.found, std::vector<std::string>{inside});
    EXPECT_FALSE(Searched(Folder("C/.hidden")));
}

TEST_F(FinderTest, SymbolicLinksToFoldersAreNotFollowed)
{
    File("elsewhere", "pla1_0.exe");
    Folder("C/loop");
    ASSERT_EQ(::symlink(Folder("C").c_str(), (Folder("C/loop") + "back").c_str()), 0);
    ASSERT_EQ(::symlink(Folder("elsewhere").c_str(), (Folder("C") + "linked").c_str()), 0);

    ASSERT_TRUE(finder.SearchDrives({Folder("C")}));
    EXPECT_EQ(finder.MatchCount(), 0);
    EXPECT_EQ(host.folders, (std::vector<std::string>{Folder("C"), Folder("C/loop")}));
}

TEST_F(FinderTest, TheHostStopsTheSearchBetweenEntries)
{
    File("C/a/b/c", "pla1_0.exe");
    host.stopAfterPumps = 2;
    EXPECT_FALSE(finder.SearchDrives({Folder("C"), Folder("C")}));
    EXPECT_EQ(host.pumps, 2);
    EXPECT_TRUE(host.found.empty());
}

TEST(LocalDrivesTest, RootFirstThenEachLocalDiskOnce)
{
    const std::string table =
        "/dev/sda2 /home/user ext4 rw 0 0\n"  // listed before the root
        "proc /proc proc rw 0 0\n"
        "/dev/sda1 / xfs rw 0 0\n"
        "tmpfs /tmp tmpfs rw 0 0\n"
        "/dev/sdb1 /media/USB\\040Stick vfat rw 0 0\n"
        "/dev/sda2 /srv/bound ext4 rw 0 0\n"  // the same device again
        "/dev/sda1 /var/bound xfs rw 0 0\n"   // the root's device again
        "server:/export /mnt/nfs nfs4 rw 0 0\n"
        "overlay /merged overlay rw 0 0\n"
        "/dev/sdc1 /data btrfs rw 0 0\n"
        "/dev/sdd1 /data btrfs rw 0 0\n";     // mounted over the same folder
    EXPECT_EQ(LocalDrives::FromMountTable(table),
              (std::vector<std::string>{"/", "/home/user/", "/media/USB Stick/", "/data/"}));
    EXPECT_EQ(LocalDrives::FromMountTable(""), std::vector<std::string>{"/"});
    EXPECT_EQ(LocalDrives::Roots().front(), "/");
}

}  // namespace
