#include "FtpPassiveReplies.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

namespace {

struct PassiveCase
{
    const char* line;
    bool parsed;
    FtpPassiveAddress address;
};

std::ostream& operator<<(std::ostream& out, const PassiveCase& c)
{
    return out << c.line;
}

class PassiveReply : public ::testing::TestWithParam<PassiveCase>
{
};

TEST_P(PassiveReply, GivesAddressAndPortOrNothing)
{
    const PassiveCase& c = GetParam();
    FtpPassiveAddress address;
    address.port = 7;
    ASSERT_EQ(ParsePassiveReply(c.line, address), c.parsed);
    const FtpPassiveAddress& expected = c.parsed ? c.address : FtpPassiveAddress{{}, 7};
    EXPECT_EQ(address.port, expected.port);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(address.host[i], expected.host[i]);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PassiveReply,
    ::testing::Values(PassiveCase{"227 Entering Passive Mode (192,168,0,5,48,57)", true, {{192, 168, 0, 5}, 12345}},
                      PassiveCase{"227 =127,0,0,1,255,255", true, {{127, 0, 0, 1}, 65535}},
                      PassiveCase{"227 Entering Passive Mode 10,0,0,1,0,21.", true, {{10, 0, 0, 1}, 21}},
                      PassiveCase{"227 (192,168,0,256,1,1)", false, {}},
                      PassiveCase{"227 (1,2,3,4,0,0)", false, {}},
                      PassiveCase{"227 (1,2,3,4,5)", false, {}},
                      PassiveCase{"227 (1,2,3,4,5,)", false, {}},
                      PassiveCase{"227 (1,2,3,4,99999999999999999999,1)", false, {}},
                      PassiveCase{"227 no numbers", false, {}},
                      PassiveCase{"2270 (1,2,3,4,5,6)", false, {}},
                      PassiveCase{"229 (1,2,3,4,5,6)", false, {}},
                      PassiveCase{"", false, {}}));

TEST(ExtendedPassiveReply, GivesThePortOnly)
{
    struct Case
    {
        const char* line;
        int port;  // 0: refused
    } cases[] = {
        {"229 Entering Extended Passive Mode (|||6446|)", 6446},
        {"229 ok (!!!1!)", 1},
        {"229 (|||65535|)", 65535},
        {"229 (|||65536|)", 0},
        {"229 (|||0|)", 0},
        {"229 (|1|127.0.0.1|6446|)", 0},
        {"229 (|||6446)", 0},
        {"229 (111621|)", 0},
        {"229 ( 6446 )", 0},
        {"229 no parenthesis |||6446|", 0},
        {"227 (|||6446|)", 0},
    };
    for (const Case& c : cases) {
        uint16_t port = 9;
        EXPECT_EQ(ParseExtendedPassiveReply(c.line, port), c.port != 0) << c.line;
        EXPECT_EQ(port, c.port != 0 ? c.port : 9) << c.line;
    }
}

TEST(SizeReply, GivesTheSizeOfWellFormedRepliesOnly)
{
    struct Case
    {
        const char* line;
        int64_t size;  // -1: refused
    } cases[] = {
        {"213 0", 0},
        {"213 104857600", 104857600},
        {"213 9223372036854775807", INT64_MAX},
        {"213 9223372036854775808", -1},
        {"213 12  ", 12},
        {"213 99999999999999999999", -1},
        {"213 -5", -1},
        {"213 12 bytes", -1},
        {"213", -1},
        {"213-12", -1},
        {"550 12", -1},
    };
    for (const Case& c : cases) {
        int64_t size = -1;
        EXPECT_EQ(ParseSizeReply(c.line, size), c.size >= 0) << c.line;
        EXPECT_EQ(size, c.size) << c.line;
    }
}

}  // namespace
