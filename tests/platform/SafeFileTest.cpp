#include "SafeFile.h"

#include "FileSizeLimit.h"
#include "NonRegularFiles.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace {
mode_t ModeOf(const std::string& path)
{
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}
}  // namespace

TEST(SafeFile, ReplaceWritesExactBytesAndKeepsPermissions)
{
    TestEnvironment env;
    const std::string path = env.Folder() + "/a.txt";
    WriteBytes(path, "old content that is longer");
    ::chmod(path.c_str(), 0640);

    ASSERT_TRUE(SafeFile::Replace(path, std::string("new\r\n\0x", 7)));
    EXPECT_EQ(ReadBytes(path), std::string("new\r\n\0x", 7));
    EXPECT_EQ(ModeOf(path), mode_t(0640));
    EXPECT_EQ(QDir(QString::fromStdString(env.Folder())).entryList(QDir::Files | QDir::Hidden).size(), 1)
        << "no temporary file may be left behind";
}

TEST(SafeFile, NewFilesAreNotPrivate)
{
    TestEnvironment env;
    const mode_t oldMask = ::umask(022);
    const std::string path = env.Folder() + "/fresh.txt";
    ASSERT_TRUE(SafeFile::Replace(path, "x"));
    ::umask(oldMask);
    EXPECT_EQ(ModeOf(path), mode_t(0644));
}

TEST(SafeFile, FailuresLeaveEverythingAsItWas)
{
    TestEnvironment env;
    EXPECT_FALSE(SafeFile::Replace(env.Folder() + "/missing-folder/a.txt", "x"));
    QDir(QString::fromStdString(env.Folder())).mkdir("folder");
    EXPECT_FALSE(SafeFile::Replace(env.Folder() + "/folder", "x"));
    EXPECT_FALSE(SafeFile::ReplaceExisting(env.Folder() + "/not-there.txt", "x"));
    EXPECT_EQ(QDir(QString::fromStdString(env.Folder())).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

// The reason a write failed reaches the caller, who tells the user.
TEST(SafeFile, AFailedReplaceSaysWhy)
{
    TestEnvironment env;
    QDir(QString::fromStdString(env.Folder())).mkdir("folder");
    int error = 0;
    EXPECT_FALSE(SafeFile::Replace(env.Folder() + "/missing-folder/a.txt", "x", &error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(SafeFile::Replace(env.Folder() + "/folder", "x", &error));
    EXPECT_EQ(error, EISDIR);

    // A full disk, as far as this process can see: writes past a size limit fail.
    const std::string path = env.Folder() + "/big.txt";
    WriteBytes(path, "old");
    bool written = false;
    {
        const FileSizeLimit full(16);
        written = SafeFile::Replace(path, std::string(64, 'x'), &error);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(QDir(QString::fromStdString(env.Folder())).entryList(QDir::Files | QDir::Hidden),
              QStringList{"big.txt"});
}

TEST(SafeFile, ALinkIsFollowedAndStays)
{
    TestEnvironment env;
    const std::string target = env.Folder() + "/target.txt";
    WriteBytes(target, "old");
    ASSERT_EQ(::symlink("target.txt", (env.Folder() + "/link.txt").c_str()), 0);
    ASSERT_TRUE(SafeFile::Replace(env.Folder() + "/link.txt", "new"));
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_TRUE(QFileInfo(QString::fromStdString(env.Folder() + "/link.txt")).isSymLink());
}

TEST(SafeFile, ReadAllRefusesFoldersAndMissingFiles)
{
    TestEnvironment env;
    std::string bytes = "untouched";
    EXPECT_FALSE(SafeFile::ReadAll(env.Folder(), bytes));
    EXPECT_FALSE(SafeFile::ReadAll(env.Folder() + "/none", bytes));
    WriteBytes(env.Folder() + "/f", std::string("a\0b", 3));
    ASSERT_TRUE(SafeFile::ReadAll(env.Folder() + "/f", bytes));
    EXPECT_EQ(bytes, std::string("a\0b", 3));
}

TEST(SafeFile, ReadsOnlyRegularFilesAndNeverBlocks)
{
    TestEnvironment env;
    for (const std::string& path : MakeNonRegularFiles(env.Folder())) {
        std::string bytes = "untouched";
        EXPECT_FALSE(SafeFile::ReadAll(path, bytes)) << path;
        EXPECT_FALSE(SafeFile::ReadStart(path, 16, bytes)) << path;
        EXPECT_EQ(bytes, "untouched");
    }
    std::string bytes;
    WriteBytes(env.Folder() + "/f", "abcdef");
    ASSERT_TRUE(SafeFile::ReadStart(env.Folder() + "/f", 4, bytes));
    EXPECT_EQ(bytes, "abcd");
    ASSERT_TRUE(SafeFile::ReadStart(env.Folder() + "/f", 100, bytes));
    EXPECT_EQ(bytes, "abcdef");
}
