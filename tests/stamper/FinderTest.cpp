#include "Finder.h"
#include "LocalDrives.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <sys/types.h>
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

TEST_F(FinderTest, ADriveThatIsMissingIsPassedOverAndTheNextIsSearched)
{
    File("E", "pla1_0.exe");
    const std::string missing = environment.Folder() + "/D/";
    ASSERT_TRUE(finder.SearchDrives({Folder("C"), missing, Folder("E")}));
    EXPECT_EQ(finder.MatchCount(), 1);
    EXPECT_TRUE(Searched(Folder("E")));
    EXPECT_FALSE(Searched(missing));
    EXPECT_EQ(SearchOutcomeText(0), "Done: (none found)");
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

TEST_F(FinderTest, OnlyRegularFilesAreCountedNeverLinksOrPipes)
{
    const std::string target = File("elsewhere", "target.exe");
    Folder("elsewhere/pla1_0.exe");
    ASSERT_EQ(::symlink(target.c_str(), (Folder("C/to-file") + "pla1_0.exe").c_str()), 0);
    ASSERT_EQ(::symlink(Folder("elsewhere/pla1_0.exe").c_str(), (Folder("C/to-folder") + "PLA1_0.EXE").c_str()), 0);
    ASSERT_EQ(::mkfifo((Folder("C/pipe") + "pla1_0.exe").c_str(), 0666), 0);
    ASSERT_TRUE(finder.SearchDrives({Folder("C")}));
    EXPECT_EQ(finder.MatchCount(), 0);
    EXPECT_TRUE(host.found.empty());
}

// A mount table line of /proc/self/mountinfo.
std::string MountLine(int id, int parent, const char* device, const std::string& root, const std::string& folder,
                      const char* type)
{
    std::string escaped;
    for (char c : folder)
        escaped += c == ' ' ? std::string("\\040") : std::string(1, c);
    return std::to_string(id) + " " + std::to_string(parent) + " " + device + " " + root + " " + escaped + " rw,relatime shared:" + std::to_string(id)
           + " - " + type + " /dev/source rw\n";
}

TEST(LocalDrivesTest, EachMountedFolderOfADeviceIsOneDriveWhereItCanBeSeen)
{
    TestEnvironment environment;
    const std::string at = environment.Folder() + "/";
    for (const char* folder : {"home", "USB Stick", "bound", "srv", "data", "covered", "covered/inner", "covered/inner/deep", "next"})
        ::mkdir((at + folder).c_str(), 0777);
    WriteBytes(at + "a file", "");
    const std::string table =
        MountLine(22, 21, "0:33", "/@home", at + "home", "btrfs")          // a subvolume, listed before the root
        + MountLine(23, 21, "0:21", "/", "/proc", "proc")
        + MountLine(21, 1, "0:33", "/@", "/", "btrfs")                     // the root: another subvolume
        + MountLine(24, 21, "0:25", "/", "/run", "tmpfs")
        + MountLine(25, 21, "8:17", "/", at + "USB Stick", "vfat")
        + MountLine(26, 21, "0:33", "/@/var/lib", at + "bound", "btrfs")   // inside the root's subvolume
        + MountLine(27, 21, "0:33", "/@home/user", at + "srv", "btrfs")    // inside the first subvolume
        + MountLine(28, 21, "8:33", "/", at + "missing", "ext4")
        + MountLine(29, 21, "8:34", "/", at + "a file", "ext4")
        + MountLine(30, 21, "8:49", "/", at + "data", "ext4")              // the next one lies on top of it
        + MountLine(31, 30, "8:50", "/", at + "data", "xfs")
        + MountLine(32, 21, "8:65", "/", at + "covered/inner", "ext4")     // under a mount of its parent folder
        + MountLine(37, 32, "8:67", "/", at + "covered/inner/deep", "ext4")  // on a covered mount
        + MountLine(33, 21, "8:66", "/", at + "covered", "ext4")
        + MountLine(34, 21, "0:50", "/", "/mnt/nfs", "nfs4")
        + "35 21 8:81 / /broken line without its type\n"
        + MountLine(36, 21, "8:81", "/", at + "next", "ext4");
    EXPECT_EQ(LocalDrives::FromMountInfo(table), (std::vector<std::string>{"/", at + "home/", at + "USB Stick/",
                                                                           at + "data/", at + "covered/", at + "next/"}));
    // A mount on top of the root covers everything below it.
    EXPECT_EQ(LocalDrives::FromMountInfo(table + MountLine(40, 21, "0:60", "/", "/", "overlay")),
              std::vector<std::string>{"/"});
    EXPECT_EQ(LocalDrives::FromMountInfo(""), std::vector<std::string>{"/"});
    EXPECT_EQ(LocalDrives::Roots().front(), "/");
}

}  // namespace
