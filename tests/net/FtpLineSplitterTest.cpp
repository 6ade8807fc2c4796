#include "FtpLineSplitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The complete lines of `stream` fed in pieces of `pieceSize` bytes, and what
// an unfinished last line holds (after "|").
std::vector<std::string> Split(const std::string& stream, size_t pieceSize)
{
    CFtpLineSplitter splitter;
    std::vector<std::string> lines;
    for (size_t at = 0; at < stream.size(); at += pieceSize) {
        const std::string piece = stream.substr(at, pieceSize);
        for (size_t taken = 0; taken < piece.size();) {
            taken += splitter.Feed(piece.data() + taken, piece.size() - taken);
            if (splitter.LineComplete())
                lines.emplace_back(splitter.TakeLine());
        }
    }
    if (splitter.LineStarted())
        lines.push_back("|" + std::string(splitter.TakeLine()));
    return lines;
}

TEST(FtpLineSplitter, CutsAtCrLfHoweverTheBytesArrive)
{
    const std::string line254(254, 'n');
    const std::string line4095(4095, 'k');
    struct Case {
        std::string name;
        std::string stream;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"TwoLines", "220 a\r\n331 b\r\n", {"220 a", "331 b"}},
        {"EmptyLine", "\r\n\r\nx\r\n", {"", "", "x"}},
        {"LoneCrAndLfStayInTheLine", "a\rb\nc\r\r\n", {"a\rb\nc\r"}},
        {"UnfinishedLastLine", "a\r\nb\r", {"a", "|b\r"}},
        // The LF of a line that just fills the old 256-byte buffer ends it.
        {"Line254ThenFolder", line254 + "\r\ndrwx docs\r\n", {line254, "drwx docs"}},
        {"LongestLineKeptWhole", line4095 + "\r\nnext\r\n", {line4095, "next"}},
        // The rest of a longer line is dropped, and never becomes a line.
        {"LongerLineIsCut", line4095 + "rest of it\r\nnext\r\n", {line4095, "next"}},
        {"CrInsideTheDroppedRest", line4095 + "x\ry\r\nnext\r\n", {line4095, "next"}},
        {"KeptCrBeforeTheCut", std::string(4094, 'c') + "\r" + "zz\r\nnext\r\n", {std::string(4094, 'c') + "\r", "next"}},
    };
    for (const Case& c : cases) {
        for (size_t pieceSize : {size_t{1}, size_t{2}, size_t{7}, size_t{255}, size_t{4096}, c.stream.size()})
            EXPECT_EQ(Split(c.stream, pieceSize), c.lines) << c.name << " in pieces of " << pieceSize;
    }
}

TEST(FtpLineSplitter, TakesNothingPastACompleteLine)
{
    CFtpLineSplitter splitter;
    const std::string stream = "1\r\n2\r\n";
    EXPECT_EQ(splitter.Feed(stream.data(), stream.size()), 3u);
    EXPECT_EQ(splitter.Feed(stream.data() + 3, 3), 0u);
    EXPECT_STREQ(splitter.TakeLine(), "1");
    EXPECT_EQ(splitter.Feed(stream.data() + 3, 3), 3u);
    EXPECT_STREQ(splitter.TakeLine(), "2");
    EXPECT_FALSE(splitter.LineStarted());
}

}  // namespace
