#include "GetToken.h"
#include "IsDottedAddress.h"
#include "ResolveHost.h"
#include "StringLineList.h"
#include "TrimLineEnd.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct TokenCase
{
    const char* text;
    const char* delimiters;
    int index;
    int capacity;
    int result;
    const char* token;
};

void PrintTo(const TokenCase& c, std::ostream* out)
{
    *out << '"' << c.text << "\" [" << c.delimiters << "] #" << c.index << " cap " << c.capacity;
}

class GetTokenTest : public ::testing::TestWithParam<TokenCase>
{
};

TEST_P(GetTokenTest, SplitsAtRunsOfDelimiters)
{
    const TokenCase& c = GetParam();
    char out[64] = "junk";
    EXPECT_EQ(GetToken(c.text, c.delimiters, c.index, out, c.capacity), c.result);
    EXPECT_STREQ(out, c.token);
}

INSTANTIATE_TEST_SUITE_P(NetText, GetTokenTest,
    ::testing::Values(
        TokenCase{"a//b?c", "/?", 0, 64, 0, "a"},
        TokenCase{"a//b?c", "/?", 1, 64, 0, "b"},
        TokenCase{"a//b?c", "/?", 2, 64, 0, "c"},
        TokenCase{"a//b?c", "/?", 3, 64, 1, ""},
        TokenCase{"/kestrin/x.txt", "/?", 0, 64, 0, "kestrin"},
        TokenCase{"/kestrin/x.txt", "/?", 5, 64, 1, ""},
        TokenCase{"Content-Type: text/html", ": ", 0, 64, 0, "Content-Type"},
        TokenCase{"Content-Type: text/html", ": ", 1, 64, 0, "text/html"},
        TokenCase{"http://host/p", "/?", 1, 64, 0, "host"},
        // The token must fit with its terminator.
        TokenCase{"abcd", "/", 0, 5, 0, "abcd"},
        TokenCase{"abcd", "/", 0, 4, 1, ""},
        TokenCase{"", "/", 0, 64, 1, ""},
        TokenCase{"///", "/", 0, 64, 1, ""},
        TokenCase{"**a*b", "*", 0, 64, 0, "a"}));

TEST(NetText, GetTokenRefusesNullArguments)
{
    char out[8] = "junk";
    EXPECT_EQ(GetToken(nullptr, "/", 0, out, sizeof out), 1);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(GetToken("a", nullptr, 0, out, sizeof out), 1);
    EXPECT_EQ(GetToken("a", "/", 0, nullptr, 8), 1);
}

class TrimLineEndTest : public ::testing::TestWithParam<std::pair<std::string, std::string>>
{
};

TEST_P(TrimLineEndTest, CutsOneLineEnding)
{
    std::string text = GetParam().first;
    TrimLineEnd(text.data());
    EXPECT_STREQ(text.c_str(), GetParam().second.c_str());
}

INSTANTIATE_TEST_SUITE_P(NetText, TrimLineEndTest,
    ::testing::Values(std::pair<std::string, std::string>{"OK\r\n", "OK"},
                      std::pair<std::string, std::string>{"OK\n", "OK"},
                      std::pair<std::string, std::string>{"OK\r", "OK"},
                      std::pair<std::string, std::string>{"\n", ""},
                      std::pair<std::string, std::string>{"\r", ""},
                      std::pair<std::string, std::string>{"a", "a"},
                      std::pair<std::string, std::string>{"", ""},
                      // The next-to-last character decides, whatever follows it.
                      std::pair<std::string, std::string>{"ab\rx", "ab"},
                      std::pair<std::string, std::string>{"OK\n\n", "OK"}));

TEST(NetText, IsDottedAddressAcceptsOnlyIpv4Text)
{
    EXPECT_TRUE(IsDottedAddress("127.0.0.1"));
    EXPECT_TRUE(IsDottedAddress("10.20.30.40"));
    EXPECT_FALSE(IsDottedAddress("localhost"));
    EXPECT_FALSE(IsDottedAddress("127.0.0.256"));
    EXPECT_FALSE(IsDottedAddress("127.0.0.1:80"));
    EXPECT_FALSE(IsDottedAddress(""));
    EXPECT_FALSE(IsDottedAddress(nullptr));
}

TEST(NetText, ResolveHostFindsLoopbackNames)
{
    char out[32] = {};
    EXPECT_EQ(ResolveHost("localhost", out, sizeof out), 0);
    EXPECT_STREQ(out, "127.0.0.1");
    EXPECT_EQ(ResolveHost("127.0.0.2", out, sizeof out), 0);
    EXPECT_STREQ(out, "127.0.0.2");
}

TEST(NetText, ResolveHostSkipsAUserNameInFront)
{
    char out[32] = {};
    EXPECT_EQ(ResolveHost("user@localhost", out, sizeof out), 0);
    EXPECT_STREQ(out, "127.0.0.1");
    EXPECT_EQ(ResolveHost("a@b@127.0.0.3", out, sizeof out), 0);
    EXPECT_STREQ(out, "127.0.0.3");
}

TEST(NetText, ResolveHostNeedsRoomForTheTerminator)
{
    char out[10] = {};
    EXPECT_EQ(ResolveHost("localhost", out, 9), 1);
    EXPECT_EQ(ResolveHost("localhost", out, 8), 1);
    EXPECT_EQ(ResolveHost("localhost", out, 10), 0);
}

TEST(NetText, ResolveHostRefusesEmptyAndNullNames)
{
    char out[32] = {};
    EXPECT_EQ(ResolveHost("", out, sizeof out), 2);
    EXPECT_EQ(ResolveHost(nullptr, out, sizeof out), 2);
}

TEST(NetText, StringLineListKeepsCopiesInOrder)
{
    CStringLineList list;
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetAt(0), nullptr);

    std::string first = "one\r\n";
    EXPECT_EQ(list.Add(first.c_str()), 1);
    first[0] = 'X';
    list.Add("two");
    list.Add("");
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_STREQ(list.GetAt(0), "one\r\n");
    EXPECT_STREQ(list.GetAt(1), "two");
    EXPECT_STREQ(list.GetAt(2), "");
    EXPECT_EQ(list.GetAt(3), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);

    EXPECT_EQ(list.RemoveAll(), 1);
    EXPECT_EQ(list.GetCount(), 0);
    list.Add("again");
    EXPECT_STREQ(list.GetAt(0), "again");
}

TEST(NetText, StringLineListFreesALongChain)
{
    CStringLineList list;
    for (int i = 0; i < 200000; ++i)
        list.Add("line\r\n");
    EXPECT_EQ(list.GetCount(), 200000);
}

}
