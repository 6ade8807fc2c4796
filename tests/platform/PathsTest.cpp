#include "Paths.h"

#include <gtest/gtest.h>

class RefusedName : public ::testing::TestWithParam<std::string> {};

TEST_P(RefusedName, IsRefused)
{
    EXPECT_TRUE(Paths::IsRefusedName(GetParam())) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Names, RefusedName,
                         ::testing::Values("", ".", "..", "a/b.txt", "a\\b", "c:d", "x*y", "say\"hi\"",
                                           "<tag>", "a>b", "pipe|d", std::string("tab\there"),
                                           std::string("nl\nx"), std::string("del\x7f")));

TEST(Paths, AcceptsOrdinaryNames)
{
    for (const char* name : {"Tips_for_your_first_issue.txt", ".txt", "...", "a.b.c", "Ünïcode name",
                             "a?b", "100% done"})
        EXPECT_FALSE(Paths::IsRefusedName(name)) << name;
}

TEST(Paths, ResolveJoinsRelativePathsToTheProgramFolder)
{
    EXPECT_EQ(Paths::Resolve("/home/u", "File Manager/My Content"), "/home/u/File Manager/My Content");
    EXPECT_EQ(Paths::Resolve("/home/u", "/abs/x"), "/abs/x");
}

TEST(Paths, FolderAndNameSplitAtTheLastSlash)
{
    EXPECT_EQ(Paths::FolderOf("/a/b/c.txt"), "/a/b");
    EXPECT_EQ(Paths::NameOf("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(Paths::FolderOf("plain"), "");
    EXPECT_EQ(Paths::NameOf("plain"), "plain");
}
