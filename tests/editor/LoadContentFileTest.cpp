#include "LoadContentFile.h"

#include "FileSizeLimit.h"
#include "PlumetState.h"
#include "NonRegularFiles.h"
#include "TestEnvironment.h"

#include <QDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Header lines as stored; a content file that the list and the dialog write.
const std::string kHeader = "Spring Issue\r\nAnn Lee\r\nJan/5/1999\r\nGardening\r\n~*^\r\n";

class LoadContentFileTest : public testing::Test {
protected:
    LoadContentFileTest() { state.ProgramFolder = env.Folder(); }

    std::string Put(const std::string& name, const std::string& bytes) const
    {
        const std::string path = env.Folder() + "/" + name;
        WriteBytes(path, bytes);
        return path;
    }

    void SetMachineSettings(const std::string& text) const
    {
        env.WriteMachineFile("Brindlewick/Plumet Assistant.ini", text);
    }
    void SetSponsor(const std::string& value) const { SetMachineSettings("[Star]\nSponsor=" + value + "\n"); }

    TestEnvironment env;
    PlumetState state;
};

TEST_F(LoadContentFileTest, ReplacesEveryPlaceholderInPaneAndFile)
{
    SetSponsor("A100");
    const std::string path = Put("a.txt", kHeader + "Join via sponsorID today.\r\nAgain: sponsorID\r\n");

    EXPECT_EQ(LoadContentFile(state, path), LoadOutcome::Loaded);

    EXPECT_EQ(state.EditorText, "Join via IMA100_PLA today.\r\nAgain: IMA100_PLA\r\n");
    EXPECT_EQ(ReadBytes(path), kHeader + "Join via IMA100_PLA today.\r\r\nAgain: IMA100_PLA\r\r\n");
    EXPECT_EQ(state.ArticleName, "Spring Issue");
    EXPECT_EQ(state.AuthorName, "Ann Lee");
    EXPECT_EQ(state.DatePublished, "Jan/5/1999");
    EXPECT_EQ(state.Topic, "Gardening");
}

TEST_F(LoadContentFileTest, LeavesOtherCapitalsAlone)
{
    SetSponsor("A100");
    const std::string path = Put("a.txt", kHeader + "SponsorID sponsorid SPONSORID sponsorID\r\n");

    LoadContentFile(state, path);

    EXPECT_EQ(state.EditorText, "SponsorID sponsorid SPONSORID IMA100_PLA\r\n");
}

TEST_F(LoadContentFileTest, SecondLoadWritesTheSameBytes)
{
    SetSponsor("B7");
    const std::string path = Put("a.txt", kHeader + "one sponsorID\r\ntwo\r\n\r\nthree");

    LoadContentFile(state, path);
    const std::string first = ReadBytes(path);
    const std::string firstText = state.EditorText;
    LoadContentFile(state, path);

    EXPECT_EQ(ReadBytes(path), first);
    EXPECT_EQ(state.EditorText, firstText);
    EXPECT_EQ(firstText, "one IMB7_PLA\r\ntwo\r\n\r\nthree\r\n");  // the last line gets its break
}

TEST_F(LoadContentFileTest, LfOnlyBodyComesBackWithEditorBreaksAndNoSettings)
{
    // No machine settings at all: nothing substituted, nothing created.
    QDir(QString::fromStdString(env.MachineConfig() + "/Brindlewick")).removeRecursively();
    const std::string path = Put("a.txt", "A\nB\nC\nD\n~*^\nline sponsorID\nnext\n");

    EXPECT_EQ(LoadContentFile(state, path), LoadOutcome::Loaded);

    EXPECT_EQ(state.EditorText, "line sponsorID\r\nnext\r\n");
    EXPECT_EQ(ReadBytes(path), "A\r\nB\r\nC\r\nD\r\n~*^\r\nline sponsorID\r\r\nnext\r\r\n");
    EXPECT_TRUE(QDir(QString::fromStdString(env.MachineConfig())).isEmpty());
}

TEST_F(LoadContentFileTest, FailedWriteBackKeepsTheBodysLineFeeds)
{
    // The file reads but cannot be written back, as on a full disk.
    const std::string bytes = "A\r\nB\r\nC\r\nD\r\n~*^\r\none\r\ntwo\r\n";
    const std::string path = Put("full.txt", bytes);

    {
        const FileSizeLimit full(8);
        EXPECT_EQ(LoadContentFile(state, path), LoadOutcome::Loaded);
    }

    EXPECT_EQ(state.EditorText, "one\ntwo\n");
    EXPECT_EQ(ReadBytes(path), bytes);
}

TEST_F(LoadContentFileTest, EditorWrittenBodyReadsBackUnchanged)
{
    SetSponsor("A100");
    const std::string bytes = kHeader + "one\r\r\ntwo\r\r\n";
    const std::string path = Put("a.txt", bytes);

    LoadContentFile(state, path);

    EXPECT_EQ(state.EditorText, "one\r\ntwo\r\n");
    EXPECT_EQ(ReadBytes(path), bytes);
}

// A value the 16-byte buffer was not made for is never written into the file.
class UnusableSponsorTest : public LoadContentFileTest,
                            public testing::WithParamInterface<const char*> {};

TEST_P(UnusableSponsorTest, KeepsThePlaceholder)
{
    SetMachineSettings(GetParam());
    const std::string path = Put("a.txt", kHeader + "x sponsorID y\r\n");

    EXPECT_EQ(LoadContentFile(state, path), LoadOutcome::Loaded);

    EXPECT_EQ(state.EditorText, "x sponsorID y\r\n");
    EXPECT_EQ(ReadBytes(path), kHeader + "x sponsorID y\r\r\n");
}

INSTANTIATE_TEST_SUITE_P(LoadContentFile, UnusableSponsorTest, testing::Values(
    "[Star]\nSponsor=0123456789ABCDEF\n",  // 16 characters: one too many
    "[Star]\nOther=A100\n",                // value missing
    "[Star]\nSponsor=\n",                  // empty
    "[Elsewhere]\nSponsor=A100\n"));       // the key does not open

TEST_F(LoadContentFileTest, FifteenCharacterSponsorIsUsed)
{
    SetSponsor("0123456789ABCDE");
    const std::string path = Put("a.txt", kHeader + "sponsorID");

    LoadContentFile(state, path);

    EXPECT_EQ(state.EditorText, "IM0123456789ABCDE_PLA\r\n");
}

TEST_F(LoadContentFileTest, OnlyTheFirstSeparatorCounts)
{
    const std::string path = Put("a.txt", kHeader + "before\r\n~*^\r\nafter\r\n");

    LoadContentFile(state, path);

    EXPECT_EQ(state.EditorText, "before\r\n~*^\r\nafter\r\n");
}

TEST_F(LoadContentFileTest, ExtraHeaderLinesAreWrittenBackAsRead)
{
    const std::string path = Put("a.txt", "A\r\nB\r\nC\r\nD\r\nextra\r\n~*^ \r\n~*^\r\nbody\r\n");

    LoadContentFile(state, path);

    EXPECT_EQ(state.EditorText, "body\r\n");
    EXPECT_EQ(ReadBytes(path), "A\r\nB\r\nC\r\nD\r\nextra\r\n~*^ \r\n~*^\r\nbody\r\r\n");
}

// A file with no body is left exactly as it was; its header still becomes current.
class NoBodyTest : public LoadContentFileTest, public testing::WithParamInterface<const char*> {};

TEST_P(NoBodyTest, ReportsAndKeepsTheFile)
{
    SetSponsor("A100");
    const std::string bytes = GetParam();
    const std::string path = Put("a.txt", bytes);

    EXPECT_EQ(LoadContentFile(state, path), LoadOutcome::NoBody);

    EXPECT_EQ(state.EditorText, "");
    EXPECT_EQ(ReadBytes(path), bytes);
    EXPECT_EQ(state.ArticleName, "Name sponsorID");
}

INSTANTIATE_TEST_SUITE_P(LoadContentFile, NoBodyTest, testing::Values(
    "Name sponsorID\r\nB\r\nC\r\nD\r\n~*^\r\n",         // separator is the last line
    "Name sponsorID\r\nB\r\nC\r\nD\r\n~*^",             // ... without its line break
    "Name sponsorID\r\nB\r\nC\r\nD\r\nno separator\r\n"));

TEST_F(LoadContentFileTest, ShortFileGivesEmptyHeaderFields)
{
    state.Topic = "old";
    const std::string path = Put("a.txt", "Only\r\n");

    EXPECT_EQ(LoadContentFile(state, path), LoadOutcome::NoBody);

    EXPECT_EQ(state.ArticleName, "Only");
    EXPECT_EQ(state.AuthorName, "");
    EXPECT_EQ(state.Topic, "");
}

TEST_F(LoadContentFileTest, FoldersAndMissingPathsReadNothing)
{
    QDir(QString::fromStdString(env.Folder())).mkpath("File Manager/Articles");
    state.ArticleName = "kept";
    state.EditorText = "old text";

    // FIFOs, sockets and devices are never opened the blocking way.
    std::vector<std::string> paths = MakeNonRegularFiles(env.Folder());
    paths.insert(paths.end(), {"File Manager/Articles", "", "missing.txt"});
    for (const std::string& path : paths) {
        EXPECT_EQ(LoadContentFile(state, path), LoadOutcome::NothingRead) << path;
        EXPECT_EQ(state.EditorText, "") << path;
    }
    EXPECT_EQ(state.ArticleName, "kept");
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(env.Folder() + "/missing.txt")));
}

TEST_F(LoadContentFileTest, RelativePathIsTakenBelowTheProgramFolder)
{
    QDir(QString::fromStdString(env.Folder())).mkpath("lib");
    Put("lib/a.txt", kHeader + "text\r\n");
    state.ProgramFolder = env.Folder();
    QDir::setCurrent(QDir::tempPath());

    EXPECT_EQ(LoadContentFile(state, "lib/a.txt"), LoadOutcome::Loaded);
    EXPECT_EQ(state.EditorText, "text\r\n");
}

}  // namespace
