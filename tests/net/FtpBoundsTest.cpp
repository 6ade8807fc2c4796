// Servers that never stop talking, drip, stall or flood: every control-channel
// operation ends within its limit with the step's failure code and both
// connections closed, and the process's memory stays bounded.
#include "FtpClient.h"
#include "ScriptedFtpServer.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <ostream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
using Step = ScriptedFtpServer::Step;
using Script = ScriptedFtpServer::Script;
using Pace = ScriptedFtpServer::Pace;

constexpr int32_t kSilenceMs = 1000;
constexpr int32_t kShortLimitMs = 1500;
constexpr int32_t kFullLimitMs = 60000;
constexpr long kMemoryBoundKiB = 256 * 1024;
const std::string kGreeting = "220 ready\r\n";
const std::string kListingLine = "-rw-r--r-- 1 owner group 120 Jan 15 10:30 index.html\r\n";

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The most memory this process has held, from the kernel's own account.
long PeakMemoryKiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmHWM:" && status >> value)
            return value;
    }
    return -1;
}

void Prepare(CFtpClient& client, const ScriptedFtpServer& server, int32_t limitMs)
{
    client.SetPort(server.Port());
    client.SetReceiveTimeout(kSilenceMs);
    client.SetOperationLimit(limitMs);
    client.SetDataWaits(5000, 5000);
}

// Logged in, the PORT acknowledged, and the transfer command answered by `transfer`.
Script Transfer(Step transfer)
{
    return {kGreeting, {{"230 in\r\n"}, {"200\r\n"}, {"200\r\n"}, {"200\r\n"}, {"200 port\r\n"}, std::move(transfer)}};
}

Script ListingScript(ScriptedFtpServer::DataAction listing)
{
    return Transfer({"150 here\r\n", std::move(listing), "226 done\r\n"});
}

int Login(CFtpClient& client)
{
    return client.Login("127.0.0.1", "user", "pw", "");
}

int LoginThenList(CFtpClient& client)
{
    return Login(client) == 0 ? client.List() : -1;
}

struct BoundCase
{
    std::string name;
    Script script;
    std::function<int(CFtpClient&)> call;
    int result;
    int32_t limitMs;
    // How long the call may take: the limit when time ends it, less when a
    // byte or entry limit must end it first.
    double withinSeconds;
};

void PrintTo(const BoundCase& c, std::ostream* out)
{
    *out << c.name;
}

class FtpBoundsTest : public ::testing::TestWithParam<BoundCase>
{
};

TEST_P(FtpBoundsTest, EndsWithinTheLimitWithTheFailureCodeAndBoundedMemory)
{
    const BoundCase& c = GetParam();
    ScriptedFtpServer server(c.script);
    CFtpClient client;
    Prepare(client, server, c.limitMs);
    const auto start = Clock::now();
    EXPECT_EQ(c.call(client), c.result);
    EXPECT_LT(SecondsSince(start), c.withinSeconds);
    // Both connections were closed: the client no longer reaches the server.
    EXPECT_EQ(client.Noop(), 1);
    EXPECT_LT(PeakMemoryKiB(), kMemoryBoundKiB);
}

INSTANTIATE_TEST_SUITE_P(
    Servers, FtpBoundsTest,
    ::testing::Values(
        BoundCase{"EndlessMultiLineGreeting", {"220-still here\r\n", {}, false, Pace{10, true}}, Login, 3, kShortLimitMs, 4.0},
        BoundCase{"FloodedGreetingLines", {"220-" + std::string(200, 'x') + "\r\n", {}, false, Pace{0, true}}, Login, 3,
                  kFullLimitMs, 10.0},
        BoundCase{"GreetingLineWithoutEnd", {std::string(1000, 'x'), {}, false, Pace{0, true}}, Login, 3, kFullLimitMs, 10.0},
        BoundCase{"ReplyDripped", {kGreeting, {{"331 password please, and take your time\r\n", nullptr, "", Pace{300, false}}}},
                  Login, 5, kShortLimitMs, 4.0},
        BoundCase{"EndlessListing", ListingScript(ScriptedFtpServer::StreamData(kListingLine, 0)), LoginThenList, 4,
                  kFullLimitMs, 30.0},
        BoundCase{"EndlessLongListingLines", ListingScript(ScriptedFtpServer::StreamData(std::string(4000, 'x') + "\r\n", 0)),
                  LoginThenList, 4, kFullLimitMs, 30.0},
        BoundCase{"ListingDripped", ListingScript(ScriptedFtpServer::StreamData("-", 100)), LoginThenList, 4, kShortLimitMs,
                  4.0}));

TEST(FtpSilence, OnlySilenceBoundsAReplyThatKeepsComing)
{
    // 8 bytes 200 ms apart: longer than the silence allowed in all, never silent that long.
    ScriptedFtpServer server({kGreeting, {{"331\r\n"}, {"230 in\r\n", nullptr, "", Pace{200, false}}, {"200\r\n"}, {"200\r\n"}, {"200\r\n"}}});
    CFtpClient client;
    Prepare(client, server, kFullLimitMs);
    client.SetReceiveTimeout(500);
    EXPECT_EQ(Login(client), 0);
}

TEST(FtpSilence, AnUploadThatStopsMovingEndsAfterTheSilence)
{
    TempFolder folder;
    WriteWholeFile(folder.PathOf("big.exe"), std::string(24 * 1024 * 1024, 'z'));
    ScriptedFtpServer server(Transfer({"150 go\r\n", ScriptedFtpServer::StallData(2000), "426 aborted\r\n"}));
    CFtpClient client;
    Prepare(client, server, kFullLimitMs);
    client.SetReceiveTimeout(500);
    ASSERT_EQ(Login(client), 0);
    const auto start = Clock::now();
    EXPECT_EQ(client.PutFile(folder.PathOf("big.exe").c_str(), "pla1_0.exe"), 5);
    EXPECT_LT(SecondsSince(start), 5.0);
}

TEST(FtpSilence, AnUploadHasNoOverallLimitOfItsOwn)
{
    TempFolder folder;
    // More than the sockets hold, so the client waits for the server's pause.
    const std::string content(32 * 1024 * 1024, 'u');
    WriteWholeFile(folder.PathOf("big.exe"), content);
    ScriptedFtpServer server(Transfer({"150 go\r\n", ScriptedFtpServer::ReceiveData(2500), "226 done\r\n"}));
    CFtpClient client;
    Prepare(client, server, kShortLimitMs);
    client.SetReceiveTimeout(5000);
    ASSERT_EQ(Login(client), 0);
    const auto start = Clock::now();
    EXPECT_EQ(client.PutFile(folder.PathOf("big.exe").c_str(), "pla1_0.exe"), 0);
    // Slower than the operation limit, and stored all the same.
    EXPECT_GT(SecondsSince(start), kShortLimitMs / 1000.0);
    client.Quit();
    server.Commands();
    EXPECT_TRUE(server.Uploaded() == content);
}

}  // namespace
