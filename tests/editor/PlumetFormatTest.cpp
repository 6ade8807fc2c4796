// Runs the built plumet-format as a whole process, input and output as files
// in a temporary folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class PlumetFormat : public testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "plumet-format-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    Outcome Format(const std::string& input, const std::string& arguments)
    {
        std::ofstream(dir_ / "in", std::ios::binary) << input;
        const std::string command = std::string("'") + PLUMET_FORMAT + "' " + arguments + " <'" + (dir_ / "in").string()
            + "' >'" + (dir_ / "out").string() + "' 2>'" + (dir_ / "err").string() + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(dir_ / "out"), ReadFile(dir_ / "err")};
    }

    fs::path dir_;
};

const std::string Example =
    "The quick brown fox jumps over the lazy dog and runs far away.\r\n"
    "Second line of the same paragraph.\r\n\r\nNext paragraph here.";

TEST_F(PlumetFormat, WritesWhatSetPutsIntoTheEditor)
{
    const Outcome plain = Format(Example, "-w 20");
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out,
        "The quick brown fox\r\njumps over the lazy\r\ndog and runs far\r\naway. Second line\r\n"
        "of the same\r\nparagraph. \r\n\r\nNext paragraph\r\nhere. \n");
    EXPECT_EQ(plain.err, "");

    const Outcome block = Format(Example, "-b -w20");
    EXPECT_EQ(block.status, 0);
    EXPECT_EQ(block.out,
        "The quick brown fox\r\njumps over the lazy\r\ndog  and  runs far\r\naway.  Second line\r\n"
        "of    the   same\r\nparagraph. \r\n\r\nNext    paragraph\r\nhere. \n");
}

TEST_F(PlumetFormat, WidthDefaultsToFifty)
{
    const std::string word = "abcd ";  // ten words make a 50-character line
    std::string text;
    for (int i = 0; i < 11; ++i)
        text += word;
    const Outcome run = Format(text, "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, text.substr(0, 49) + "\r\nabcd \n");
}

TEST_F(PlumetFormat, KeepsEveryByte)
{
    const Outcome run = Format(std::string("a\0b \xff\xfe", 6), "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string("a\0b \xff\xfe \n", 8));
}

TEST_F(PlumetFormat, EmptyInputIsRefused)
{
    const Outcome run = Format("", "-w 30");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
        "No Text appears in the edit window.  Please enter some text before you wish to excercise this option.\n");
}

TEST_F(PlumetFormat, BadUsageExitsWithTwo)
{
    for (const char* arguments : {"-w", "-w abc", "-w 5x", "-x", "file.txt"}) {
        const Outcome run = Format("text", arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_NE(run.err.find("plumet-format --help"), std::string::npos) << arguments;
    }
}

TEST_F(PlumetFormat, HelpDescribesTheOptions)
{
    const Outcome run = Format("", "--help");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("-w WIDTH"), std::string::npos);
    EXPECT_NE(run.out.find("-b"), std::string::npos);
}

} // namespace
