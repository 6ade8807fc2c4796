#include "ContentFile.h"
#include "NonRegularFiles.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace ContentFile;

TEST(TextFileConvention, StoresEveryLfAsCrLfAndReadsItBack)
{
    EXPECT_EQ(ToStored("a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(ToStored("one\r\ntwo"), "one\r\r\ntwo");  // editor text: CR CR LF on disk
    EXPECT_EQ(FromStored("one\r\r\ntwo"), "one\r\ntwo");
    EXPECT_EQ(FromStored("lone\rcr\r"), "lone\rcr\r");
    for (const std::string text : {"", "x", "a\nb", "\r\n\r\n", "end\r", "\n\n\r"})
        EXPECT_EQ(FromStored(ToStored(text)), text);
}

TEST(TextFileConvention, LinesEndAtLfAndTheLastMayLackIt)
{
    EXPECT_EQ(Lines("a\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Lines("a\nb\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Lines("\n\n"), (std::vector<std::string>{"", ""}));
    EXPECT_TRUE(Lines("").empty());
}

TEST(ContentFileLayout, ComposedFileHasHeaderSeparatorAndUnchangedBody)
{
    const Header header{"Name", "Author", "Jan/5/1999", "Topic"};
    EXPECT_EQ(ToStored(Compose(header, "one\r\ntwo")),
              "Name\r\nAuthor\r\nJan/5/1999\r\nTopic\r\n~*^\r\none\r\r\ntwo");
    EXPECT_EQ(ToStored(Compose(header, "")), "Name\r\nAuthor\r\nJan/5/1999\r\nTopic\r\n~*^\r\n");
}

TEST(ContentFileLayout, WriteRefusesNamesThePlatformRefuses)
{
    TestEnvironment env;
    EXPECT_FALSE(Write(env.Folder(), FileNameFor("a/b"), {"a/b", "x", "y", "z"}, ""));
    EXPECT_FALSE(Write(env.Folder(), FileNameFor("star*"), {"star*", "x", "y", "z"}, ""));
    EXPECT_TRUE(Write(env.Folder(), FileNameFor("ok"), {"ok", "x", "y", "z"}, "b"));
    EXPECT_EQ(ReadBytes(env.Folder() + "/ok.txt"), "ok\r\nx\r\ny\r\nz\r\n~*^\r\nb");
}

TEST(ContentFileReading, HeaderTakesTheFirstFourLinesMissingOnesEmpty)
{
    TestEnvironment env;
    const std::string path = env.Folder() + "/f.txt";
    WriteBytes(path, "Name\r\nAuthor\r\nNot Yet Published\r\nTopic\r\n~*^\r\nbody");
    Header h = ReadHeader(path);
    EXPECT_EQ(h.articleName, "Name");
    EXPECT_EQ(h.authorName, "Author");
    EXPECT_EQ(h.datePublished, "Not Yet Published");
    EXPECT_EQ(h.topic, "Topic");

    WriteBytes(path, "only\ntwo");
    h = ReadHeader(path);
    EXPECT_EQ(h.articleName, "only");
    EXPECT_EQ(h.authorName, "two");
    EXPECT_EQ(h.datePublished, "");
    EXPECT_EQ(h.topic, "");

    h = ReadHeader(env.Folder() + "/missing.txt");
    EXPECT_EQ(h.articleName, "");
}

TEST(ContentFileReading, HeaderKeepsALoneCrAndReadsOnlyTheStart)
{
    TestEnvironment env;
    const std::string path = env.Folder() + "/big.txt";
    std::string bytes = "A\r\r\nB\r\nC\r\nD\r\n~*^\r\n";
    bytes.append(size_t(8) << 20, 'x');  // no further line break: a reader of whole lines would take it all
    WriteBytes(path, bytes);
    const Header h = ReadHeader(path);
    EXPECT_EQ(h.articleName, "A\r");
    EXPECT_EQ(h.topic, "D");
}

TEST(ContentFileReading, OnlyTheFirst64KiBOfRegularFilesAreRead)
{
    TestEnvironment env;
    for (const std::string& path : MakeNonRegularFiles(env.Folder())) {
        EXPECT_EQ(ReadHeader(path).articleName, "") << path;
        EXPECT_EQ(ReadForDialog(path).articleName, "") << path;
    }
    const std::string path = env.Folder() + "/long.txt";
    WriteBytes(path, std::string(100 * 1024, 'a') + "\r\nAuthor\r\n");
    const Header h = ReadHeader(path);
    EXPECT_EQ(h.articleName, std::string(kHeaderReadLimit, 'a'));
    EXPECT_EQ(h.authorName, "");
    EXPECT_EQ(ReadForDialog(path).articleName, std::string(kHeaderReadLimit, 'a'));
}

TEST(ContentFileReading, DialogReadsGroupsOfFourUpToTheSeparator)
{
    TestEnvironment env;
    const std::string path = env.Folder() + "/f.txt";
    WriteBytes(path, "Name\r\nAuthor\r\nJan/5/1999\r\nTopic\r\n~*^\r\nbody\r\n");
    Header h = ReadForDialog(path);
    EXPECT_EQ(h.articleName, "Name");
    EXPECT_EQ(h.authorName, "Author");
    EXPECT_EQ(h.topic, "Topic");

    // No separator: the last group wins, lines missing at the end read empty.
    WriteBytes(path, "1\n2\n3\n4\n5\n6");
    h = ReadForDialog(path);
    EXPECT_EQ(h.articleName, "5");
    EXPECT_EQ(h.authorName, "6");
    EXPECT_EQ(h.topic, "");

    WriteBytes(path, "~*^\nA\nB\nC\nD\n");
    h = ReadForDialog(path);
    EXPECT_EQ(h.articleName, "");
}

TEST(ContentFileReading, SplitUsesOnlyTheFirstExactSeparator)
{
    Split s = SplitHeaderBody("A\nB\nC\nD\n~*^\none\n~*^\ntwo");
    EXPECT_EQ(s.headerText, "A\nB\nC\nD\n~*^\n");
    EXPECT_EQ(s.body, "one\n~*^\ntwo\n");

    s = SplitHeaderBody("A\n~*^ \nbody\n");
    EXPECT_EQ(s.body, "") << "a separator with a trailing space is not one";

    s = SplitHeaderBody("A\nB\nC\nD\n~*^\n");
    EXPECT_EQ(s.body, "");
}

TEST(FileNameRule, SpacesBecomeUnderscoresAndMarksGo)
{
    EXPECT_EQ(FileNameFor("Tips for your first issue!"), "Tips_for_your_first_issue.txt");
    EXPECT_EQ(FileNameFor("Why?"), "Why.txt");
    EXPECT_EQ(FileNameFor("?!?!"), ".txt");
    EXPECT_EQ(FileNameFor("Why ask?"), FileNameFor("Why_ask"));
    EXPECT_EQ(FileNameFor("CaSe.md"), "CaSe.md.txt");
}

TEST(DateText, AllThreePartsOrNotYetPublished)
{
    EXPECT_EQ(DateText("Jan", "5", "1999"), "Jan/5/1999");
    EXPECT_EQ(DateText("March", "7", "2000"), "March/7/2000");
    EXPECT_EQ(DateText("Jan", "5", ""), "Not Yet Published");
    EXPECT_EQ(DateText("", "7", "2000"), "Not Yet Published");
    EXPECT_EQ(DateText("Mar", "", "2000"), "Not Yet Published");
}
