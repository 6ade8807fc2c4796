#include "Formatter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace {

std::string Format(const std::string& text, std::int64_t width, bool block = false)
{
    return CFormatter(width, block).FormatText(text).value_or("<no text>");
}

const std::string WorkedExample =
    "The quick brown fox jumps over the lazy dog and runs far away.\r\n"
    "Second line of the same paragraph.\r\n\r\nNext paragraph here.";

TEST(Formatter, WorkedExample)
{
    EXPECT_EQ(Format(WorkedExample, 20),
        "The quick brown fox\r\njumps over the lazy\r\ndog and runs far\r\naway. Second line\r\n"
        "of the same\r\nparagraph. \r\n\r\nNext paragraph\r\nhere. \n");
}

TEST(Formatter, WorkedExampleInBlockStyle)
{
    EXPECT_EQ(Format(WorkedExample, 20, true),
        "The quick brown fox\r\njumps over the lazy\r\ndog  and  runs far\r\naway.  Second line\r\n"
        "of    the   same\r\nparagraph. \r\n\r\nNext    paragraph\r\nhere. \n");
}

TEST(Formatter, EmptyTextIsRefused)
{
    EXPECT_FALSE(CFormatter(50, false).FormatText("").has_value());
}

using Case = std::tuple<const char*, std::int64_t, const char*>;
class FormatterCases : public testing::TestWithParam<Case> {};

TEST_P(FormatterCases, GivesExactText)
{
    const auto& [input, width, expected] = GetParam();
    EXPECT_EQ(Format(input, width), expected);
}

INSTANTIATE_TEST_SUITE_P(EdgeCases, FormatterCases, testing::Values(
    Case{"one\r\ntwo\r\nthree", 50, "one two three \n"},               // no break: one paragraph
    Case{"one\r\n\r\n\r\ntwo", 50, "one \r\n\r\n two \n"},             // two blank lines: leading space
    Case{"one\r\n\r\n\r\n\r\ntwo", 50, "one \r\n\r\ntwo \n"},          // three blank lines: one
    Case{"one\n\ntwo", 50, "one \r\n\r\ntwo \n"},                      // LF LF breaks too
    Case{"\r\n\r\none", 50, "\r\n\r\none \n"},                         // empty first paragraph kept
    Case{"aaaa bbbb cccc", 4, "\r\naaaa\r\nbbbb\r\ncccc \n"},          // word of W starts the paragraph
    Case{"aaaa bbbb cccc", 5, "aaaa\r\nbbbb\r\ncccc \n"},
    Case{"ab  cd", 4, "ab \r\ncd \n"},                                 // only the space before the break goes
    Case{"one two\r\n\r\nthree", 1000, "one two \r\n\r\nthree \n"},    // wide: one line each
    Case{"   ", 50, "   \n"},                                           // only spaces is not empty
    Case{"\r\n", 50, " \n"},
    Case{"a b\r\n\r\n", 50, "a b \r\n\r\n"},                           // ends at a break: no lone LF
    Case{"a\n\n\n\n\n\nb", 50, "a \r\n\r\r\n\r\nb \n"},                 // the three passes run in order
    Case{"ab cd", 0, "\r\nab\r\ncd \n"},                                // width 0: a word per line
    Case{"ab cd\r\n\r\nef", -3, "\r\nab\r\ncd \r\n\r\n\r\nef \n"},
    Case{"\xC3\xA9t\xC3\xA9 \xC3\xA0 la", 8, "\xC3\xA9t\xC3\xA9 \xC3\xA0\r\nla \n"}  // characters, not bytes
));

TEST(Formatter, BlockStyleLeavesLastLinesAndSingleWordsAlone)
{
    EXPECT_EQ(Format("aaa bb cccc d eeeeee\r\n\r\nx y", 10, true), "aaa   bb\r\ncccc  d\r\neeeeee \r\n\r\nx y \n");
    EXPECT_EQ(Format("abcdefgh ijklmnopq", 12, true), "abcdefgh\r\nijklmnopq \n");
    EXPECT_EQ(Format("ab cd", 0, true), Format("ab cd", 0, false));
}

TEST(Formatter, BlockStyleCountsCharactersNotBytes)
{
    // 4 visible characters + CR on a first line of width 8: three turns, one gap.
    EXPECT_EQ(Format("\xC3\xA9 \xC3\xA9\xC3\xA9 abcdefgh", 8, true), "\xC3\xA9   \xC3\xA9\xC3\xA9\r\nabcdefgh \n");
}

TEST(Formatter, LongWordsStayWhole)
{
    const std::string word(400, 'w');
    EXPECT_EQ(Format("a " + word + " b", 50), "a\r\n" + word + "\r\nb \n");
}

TEST(Formatter, ReadWidthReadsLikeTheWidthBox)
{
    EXPECT_EQ(CFormatter::ReadWidth("50"), 50);
    EXPECT_EQ(CFormatter::ReadWidth("  42abc"), 42);
    EXPECT_EQ(CFormatter::ReadWidth("-7"), -7);
    EXPECT_EQ(CFormatter::ReadWidth("+5"), 5);
    EXPECT_EQ(CFormatter::ReadWidth(""), 0);
    EXPECT_EQ(CFormatter::ReadWidth("x9"), 0);
    EXPECT_EQ(CFormatter::ReadWidth("99999999999999999999999"), INT64_MAX);
}

// A step-by-step transcription of the formatting rules, slow but plain,
// for 8-bit text where characters are bytes.
namespace literal {

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string Justify(std::int64_t width, const std::string& paragraph)
{
    std::string out;
    std::string rest = paragraph;
    for (std::size_t lf = rest.find('\n', 1); lf != std::string::npos; lf = rest.find('\n', 1)) {
        std::string piece = rest.substr(0, lf);
        const std::int64_t turns = width - static_cast<std::int64_t>(piece.size());
        std::size_t s = 0;
        for (std::int64_t turn = 0; turn < turns; ++turn) {
            std::size_t space = piece.find(' ', s);
            if (space == std::string::npos) {
                s = 0;
                continue;
            }
            while (space < piece.size() && piece[space] == ' ')
                ++space;
            piece.insert(space, 1, ' ');
            s = space + 1;
        }
        out += piece;
        rest.erase(0, lf);
    }
    return out + rest;
}

std::string FormatParagraph(std::string paragraph, std::int64_t width, bool block)
{
    paragraph = Replace(Replace(Replace(paragraph, "\r\n", " "), "\r", " "), "\n", " ");
    std::vector<std::string> words;
    std::string word;
    for (std::size_t i = 0; i < paragraph.size(); ++i) {
        if (paragraph[i] == ' ') {
            words.push_back(word);
            word.clear();
        } else {
            word += paragraph[i];
            if (i + 1 == paragraph.size())
                words.push_back(word);
        }
    }
    std::string result;
    std::int64_t count = 0;
    for (const std::string& w : words) {
        const auto length = static_cast<std::int64_t>(w.size());
        if (count + length < width) {
            result += w + " ";
            count += length + 1;
        } else {
            if (!result.empty())
                result.pop_back();
            result += "\r\n" + w + " ";
            count = length + 1;
        }
    }
    return block ? Justify(width, result) : result;
}

std::string FormatText(const std::string& text, std::int64_t width, bool block)
{
    const auto at = [&](std::size_t i) { return i < text.size() ? text[i] : 'x'; };
    const auto isBreak = [&](std::size_t i) { return at(i) == '\r' || at(i) == '\n'; };
    std::string paragraph;
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t skip = 0;
        if (at(i) == '\n' && at(i + 1) == '\n')
            skip = 2;
        else if (isBreak(i) && isBreak(i + 1) && isBreak(i + 2) && isBreak(i + 3))
            skip = 4;
        if (skip == 0) {
            paragraph += text[i++];
            continue;
        }
        out += FormatParagraph(paragraph, width, block) + "\n\n";
        paragraph.clear();
        i += skip;
    }
    if (!paragraph.empty())
        out += FormatParagraph(paragraph, width, block) + "\n";
    return Replace(Replace(Replace(out, "\n\n\n\n", "\r\n\r\n"), "\n\n\n", "\r\n\r\n"), "\n\n", "\r\n\r\n");
}

} // namespace literal

std::string Visible(const std::string& text)
{
    std::string shown;
    for (const char c : text)
        shown += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
    return shown;
}

// The formatter fed in pieces of 1 to 7 bytes, as plumet-format feeds it.
std::string FormatInPieces(const std::string& text, std::int64_t width, bool block, std::mt19937& random)
{
    CFormatter formatter(width, block);
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t size = 1 + random() % 7;
        formatter.Feed(std::string_view(text).substr(at, size), out);
        at += size;
    }
    formatter.Finish(out);
    return out;
}

TEST(Formatter, AgreesWithTheRulesStepByStepOnRandomTextWholeAndInPieces)
{
    std::mt19937 random(20261207);
    const std::string alphabet = "aaaabbbcdefg     \r\n\r\n\n\n\n";
    for (int round = 0; round < 4000; ++round) {
        std::string text(random() % 120 + 1, ' ');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        const std::int64_t width = static_cast<std::int64_t>(random() % 24) - 2;
        const bool block = round % 2 == 1;
        const std::string expected = literal::FormatText(text, width, block);
        ASSERT_EQ(Format(text, width, block), expected)
            << "width " << width << (block ? " block" : "") << " text '" << Visible(text) << "'";
        ASSERT_EQ(FormatInPieces(text, width, block, random), expected)
            << "in pieces, width " << width << (block ? " block" : "") << " text '" << Visible(text) << "'";
    }
}

} // namespace
