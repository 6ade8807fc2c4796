#include "FtpParsing.h"
#include "SocketClient.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>

namespace {

constexpr int32_t kThisYear = 2026;

struct LineCase
{
    std::string line;
    bool dos;
    FtpDirEntry expected;
};

void PrintTo(const LineCase& c, std::ostream* out)
{
    *out << '"' << c.line.substr(0, 60) << '"';
}

FtpDirEntry Entry(const std::string& name, int32_t size, int32_t day, int32_t month, int32_t year, int32_t hour,
                  int32_t minute, int32_t isFolder)
{
    FtpDirEntry entry;
    name.copy(entry.name, sizeof entry.name - 1);
    entry.size = size;
    entry.day = day;
    entry.month = month;
    entry.year = year;
    entry.hour = hour;
    entry.minute = minute;
    entry.isFolder = isFolder;
    return entry;
}

class ListingLineTest : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(ListingLineTest, ParsesEveryField)
{
    const LineCase& c = GetParam();
    const FtpDirEntry got = c.dos ? ParseDosLine(c.line.c_str()) : ParseUnixLine(c.line.c_str(), kThisYear);
    EXPECT_STREQ(got.name, c.expected.name);
    EXPECT_EQ(got.size, c.expected.size);
    EXPECT_EQ(got.day, c.expected.day);
    EXPECT_EQ(got.month, c.expected.month);
    EXPECT_EQ(got.year, c.expected.year);
    EXPECT_EQ(got.hour, c.expected.hour);
    EXPECT_EQ(got.minute, c.expected.minute);
    EXPECT_EQ(got.isFolder, c.expected.isFolder);
}

const std::string kLongName(300, 'n');

INSTANTIATE_TEST_SUITE_P(
    Lines, ListingLineTest,
    ::testing::Values(
        LineCase{"drwxr-xr-x   2 owner  group     4096 Jan 15 10:30 docs", false,
                 Entry("docs", 4096, 15, 1, kThisYear, 10, 30, 1)},
        LineCase{"-rw-r--r--   1 owner  group      120 Dec  3  1998 index.html", false,
                 Entry("index.html", 120, 3, 12, 1998, 0, 0, 0)},
        LineCase{"drwxr-xr-x 2 o g 0 mar 1 2001 My  Site ", false, Entry("My  Site ", 0, 1, 3, 2001, 0, 0, 1)},
        LineCase{"lrwxrwxrwx 1 o g 11 Feb 2 2003 www -> public_html", false, Entry("www", 11, 2, 2, 2003, 0, 0, 0)},
        LineCase{"Drwx 1 o g 99999999999 Foo 9 7:05 D", false, Entry("D", INT_MAX, 9, 1, kThisYear, 7, 5, 1)},
        LineCase{"-rw-r--r-- 1", false, Entry("", 0, 1, 1, 1900, 0, 0, 0)},
        LineCase{"", false, Entry("", 0, 1, 1, 1900, 0, 0, 0)},
        LineCase{"-rw 1 o g 5 Jan 1 2000 " + kLongName, false, Entry(kLongName.substr(0, 255), 5, 1, 1, 2000, 0, 0, 0)},
        LineCase{"01-15-99  10:30AM       <DIR>          cgi-bin", true, Entry("cgi-bin", 0, 15, 1, 1999, 10, 30, 1)},
        LineCase{"01-15-2000  10:30AM       <DIR>          cgi-bin", true, Entry("cgi-bin", 0, 15, 1, 2020, 10, 30, 1)},
        LineCase{"12-03-05  03:07PM   4096 my file.txt", true, Entry("my file.txt", 4096, 3, 12, 2005, 3, 7, 0)},
        LineCase{"7", true, Entry("", 0, 1, 7, 2000, 12, 0, 0)}));

TEST(FtpParsing, ReplyCodeIsTheNumberTheFirstThreeCharactersBeginWith)
{
    const std::pair<const char*, int> cases[] = {
        {"220 ready", 220}, {"230-more", 230}, {"1234", 123}, {"2x5", 2}, {"99", 99}, {"x20", 0}, {"", 0}};
    for (const auto& [line, code] : cases)
        EXPECT_EQ(ReplyCode(line), code) << line;
}

TEST(FtpParsing, TokenNumberTakesLeadingDigitsAfterASign)
{
    const std::pair<const char*, int32_t> cases[] = {
        {"a 12x b", 12}, {"a -5 b", -5}, {"a +7 b", 7}, {"a abc b", 0}, {"a 99999999999 b", INT32_MAX}};
    for (const auto& [text, number] : cases) {
        int32_t out = -1;
        EXPECT_EQ(CSocketClient::GetTokenNumber(text, " ", 1, out), 0) << text;
        EXPECT_EQ(out, number) << text;
    }
    int32_t untouched = 42;
    EXPECT_EQ(CSocketClient::GetTokenNumber("a b", " ", 2, untouched), 1);
    EXPECT_EQ(CSocketClient::GetTokenNumber(("a " + std::string(60, '1')).c_str(), " ", 1, untouched), 1);
    EXPECT_EQ(untouched, 42);
}

}
