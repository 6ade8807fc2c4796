#include "ScriptedServer.h"
#include "SocketClient.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Script = ScriptedServer::Script;

// The server only talks; the client sends nothing first.
Script Talk(std::vector<ScriptedServer::Step> steps, bool holdOpen = false)
{
    return Script{std::move(steps), false, holdOpen};
}

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST(SocketClient, ConnectWhileConnectedLeavesTheConnectionAlone)
{
    ScriptedServer server(Talk({{"hello\r\n", 0}}));
    CSocketClient client;
    ASSERT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    EXPECT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 1);

    char line[32];
    EXPECT_EQ(client.ReceiveLine(line, sizeof line, 5), 7);
    EXPECT_STREQ(line, "hello\r\n");
    EXPECT_EQ(client.Close(), 0);
    EXPECT_EQ(client.Close(), 0);
}

TEST(SocketClient, ConnectedSocketIsBlockingAgain)
{
    ScriptedServer server(Talk({{"", 1500}, {"late\r\n", 0}}));
    CSocketClient client;
    ASSERT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    // A non-blocking socket would give -1 at once here.
    char buffer[16] = {};
    EXPECT_EQ(client.Receive(buffer, sizeof buffer - 1, 0), 6);
    EXPECT_STREQ(buffer, "late\r\n");
}

TEST(SocketClient, RefusedConnectionFailsAndLeavesTheClientClosed)
{
    CSocketClient client;
    EXPECT_EQ(client.Connect(UnusedLoopbackPort(), "127.0.0.1", AF_INET, SOCK_STREAM), 3);
    ScriptedServer server(Talk({{"ok\r\n", 0}}));
    EXPECT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
}

TEST(SocketClient, ConnectDoesNoNameLookup)
{
    ScriptedServer server(Talk({}));
    CSocketClient client;
    EXPECT_EQ(client.Connect(server.Port(), "localhost", AF_INET, SOCK_STREAM), 3);
    EXPECT_EQ(client.Connect(server.Port(), nullptr, AF_INET, SOCK_STREAM), 3);
}

TEST(SocketClient, BadSocketTypeCannotBeCreated)
{
    CSocketClient client;
    EXPECT_EQ(client.Connect(80, "127.0.0.1", AF_INET, 999), 2);
}

TEST(SocketClient, ConnectNeitherAcceptedNorRefusedTimesOut)
{
    // A listener that never accepts and whose queue is already full drops
    // further handshakes, so a connect neither completes nor is refused.
    int port = 0;
    const int listener = ListenOnLoopback(0, port);
    std::vector<CSocketClient> fillers(3);
    for (CSocketClient& filler : fillers) {
        filler.SetSendTimeout(200);
        filler.Connect(port, "127.0.0.1", AF_INET, SOCK_STREAM);
    }

    CSocketClient client;
    client.SetSendTimeout(1000);
    const auto start = Clock::now();
    EXPECT_EQ(client.Connect(port, "127.0.0.1", AF_INET, SOCK_STREAM), 4);
    EXPECT_GE(SecondsSince(start), 0.9);
    EXPECT_LT(SecondsSince(start), 3.0);
    close(listener);
}

TEST(SocketClient, SendOfLengthZeroSendsTheWholeText)
{
    ScriptedServer server(Script{{}, true, false});
    CSocketClient client;
    ASSERT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    EXPECT_EQ(client.Send("abcdefgh", 3), 3);
    EXPECT_EQ(client.Send("\r\n\r\n", 0), 4);
    EXPECT_EQ(server.Request(), "abc\r\n\r\n");
}

TEST(SocketClient, SendWithoutConnectionFails)
{
    CSocketClient client;
    EXPECT_EQ(client.Send("x", 0), -1);
    EXPECT_EQ(client.WaitReadable(1, 0), 1);
    EXPECT_EQ(client.SetNonBlocking(true), 1);
}

TEST(SocketClient, ReceiveLineStopsAfterCrLfAndLeavesTheRestUnread)
{
    ScriptedServer server(Talk({{"HTTP/1.0 200 OK\r\nServer: x\r\n", 0}}));
    CSocketClient client;
    ASSERT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    char line[512];
    EXPECT_EQ(client.ReceiveLine(line, sizeof line, 5), 17);
    EXPECT_STREQ(line, "HTTP/1.0 200 OK\r\n");
    EXPECT_EQ(client.ReceiveLine(line, sizeof line, 5), 11);
    EXPECT_STREQ(line, "Server: x\r\n");
    EXPECT_EQ(client.ReceiveLine(line, sizeof line, 5), 0);
    EXPECT_STREQ(line, "");
}

TEST(SocketClient, ReceiveLineReturnsLongLinesInPieces)
{
    ScriptedServer server(Talk({{"abcdefghijklmnopqrst\r\n", 0}}));
    CSocketClient client;
    ASSERT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    char line[10];
    EXPECT_EQ(client.ReceiveLine(line, 1, 5), 0);
    EXPECT_STREQ(line, "");
    EXPECT_EQ(client.ReceiveLine(line, 0, 5), 0);
    EXPECT_EQ(client.ReceiveLine(line, sizeof line, 5), 9);
    EXPECT_STREQ(line, "abcdefghi");
    EXPECT_EQ(client.ReceiveLine(line, sizeof line, 5), 9);
    EXPECT_STREQ(line, "jklmnopqr");
    EXPECT_EQ(client.ReceiveLine(line, sizeof line, 5), 4);
    EXPECT_STREQ(line, "st\r\n");
}

TEST(SocketClient, ReceiveLineJoinsCrAndLfFromSeparatePackets)
{
    ScriptedServer server(Talk({{"line\r", 300}, {"\nnext\r", 300}, {"x\r\n", 0}}));
    CSocketClient client;
    ASSERT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    char line[64];
    EXPECT_EQ(client.ReceiveLine(line, sizeof line, 5), 6);
    EXPECT_STREQ(line, "line\r\n");
    // Whatever byte follows a CR that ended a packet closes the line.
    EXPECT_EQ(client.ReceiveLine(line, sizeof line, 5), 6);
    EXPECT_STREQ(line, "next\rx");
    EXPECT_EQ(client.ReceiveLine(line, sizeof line, 5), 2);
    EXPECT_STREQ(line, "\r\n");
}

TEST(SocketClient, ReceiveLineKeepsALastLineWithoutEnding)
{
    ScriptedServer server(Talk({{"one\ntwo", 0}}));
    CSocketClient client;
    ASSERT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    char line[64];
    EXPECT_EQ(client.ReceiveLine(line, sizeof line, 5), 7);
    EXPECT_STREQ(line, "one\ntwo");
}

// What a line read leaves behind: the rest of the packet that held the
// line's end, "rest", and a later packet, "more".
struct ReadAfterLineCase
{
    std::string name;
    std::string (*read)(CSocketClient& client, const std::string& folder);
    std::string expected;
};

void PrintTo(const ReadAfterLineCase& c, std::ostream* out)
{
    *out << c.name;
}

class ReadAfterLineTest : public ::testing::TestWithParam<ReadAfterLineCase>
{
};

TEST_P(ReadAfterLineTest, BytesPastTheLineGoToTheNextReadOfAnyKind)
{
    // The line itself arrives in two reads.
    ScriptedServer server(Talk({{"first li", 300}, {"ne\r\nrest", 300}, {"more", 0}}));
    CSocketClient client;
    ASSERT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    char line[64];
    ASSERT_EQ(client.ReceiveLine(line, sizeof line, 5), 12);
    EXPECT_STREQ(line, "first line\r\n");
    TempFolder folder;
    EXPECT_EQ(GetParam().read(client, folder.Path()), GetParam().expected);
}

std::string TwoReceives(CSocketClient& client, const std::string&)
{
    std::string got;
    char buffer[64];
    for (int i = 0; i < 2; ++i) {
        const int32_t count = client.Receive(buffer, sizeof buffer, 5);
        got += std::string(buffer, static_cast<size_t>(std::max(count, 0))) + "|";
    }
    return got;
}

std::string NextLine(CSocketClient& client, const std::string&)
{
    char line[64];
    const int32_t count = client.ReceiveLine(line, sizeof line, 5);
    return std::to_string(count) + ":" + line;
}

std::string CopyToFile(CSocketClient& client, const std::string& folder)
{
    const std::string path = folder + "/rest.bin";
    int64_t total = -1;
    const int result = client.ReceiveToFile(path.c_str(), 1, total, 5);
    return std::to_string(result) + "," + std::to_string(total) + ":" + ReadWholeFile(path);
}

std::string DrainThenReceive(CSocketClient& client, const std::string& folder)
{
    const bool waiting = client.BytesAvailable();
    client.DrainInput();
    const bool drained = !client.BytesAvailable();
    return std::string(waiting ? "waiting " : "") + (drained ? "drained " : "") + TwoReceives(client, folder);
}

INSTANTIATE_TEST_SUITE_P(SocketClient, ReadAfterLineTest,
                         ::testing::Values(ReadAfterLineCase{"Receive", TwoReceives, "rest|more|"},
                                           ReadAfterLineCase{"ReceiveLine", NextLine, "8:restmore"},
                                           ReadAfterLineCase{"ReceiveToFile", CopyToFile, "0,8:restmore"},
                                           ReadAfterLineCase{"DrainInput", DrainThenReceive,
                                                             "waiting drained more||"}),
                         [](const auto& info) { return info.param.name; });

TEST(SocketClient, BytesPastALineCountAsReadable)
{
    ScriptedServer server(Talk({{"first line\r\nrest", 0}}, true));
    CSocketClient client;
    ASSERT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    char line[64];
    ASSERT_EQ(client.ReceiveLine(line, sizeof line, 5), 12);
    // Buffered bytes are invisible to poll: a wait must not sit on them.
    EXPECT_EQ(client.WaitReadable(0, 0), 0);
    EXPECT_TRUE(client.BytesAvailable());
}

TEST(SocketClient, NothingLeftByOneConnectionIsReadOnTheNext)
{
    ScriptedServer first(Talk({{"one\r\nleft over", 0}}, true));
    ScriptedServer second(Talk({{"two\r\n", 0}}));
    CSocketClient client;
    char line[64];
    ASSERT_EQ(client.Connect(first.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    EXPECT_EQ(client.ReceiveLine(line, sizeof line, 5), 5);
    client.Close();
    EXPECT_FALSE(client.BytesAvailable());
    ASSERT_EQ(client.Connect(second.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    EXPECT_EQ(client.ReceiveLine(line, sizeof line, 5), 5);
    EXPECT_STREQ(line, "two\r\n");
}

TEST(SocketClient, WaitsGiveUpOnASilentPeer)
{
    ScriptedServer server(Talk({}, true));
    CSocketClient client;
    ASSERT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    EXPECT_EQ(client.WaitWritable(1, 0), 0);
    char line[64];
    const auto start = Clock::now();
    EXPECT_EQ(client.ReceiveLine(line, sizeof line, 1), 0);
    EXPECT_EQ(client.Receive(line, sizeof line, 1), 0);
    EXPECT_GE(SecondsSince(start), 1.9);
}

class ReceiveToFileTest : public ::testing::Test
{
protected:
    std::string PathOf(const char* name) const { return m_folder.PathOf(name); }

    TempFolder m_folder;
};

TEST_F(ReceiveToFileTest, CopiesTheStreamAndAppendsInMode2)
{
    const std::string path = PathOf("body.bin");
    std::string body;
    for (int i = 0; i < 3000; ++i)
        body += static_cast<char>(i % 251);
    {
        ScriptedServer server(Talk({{body, 0}}));
        CSocketClient client;
        ASSERT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
        int64_t total = -1;
        EXPECT_EQ(client.ReceiveToFile(path.c_str(), 1, total, 5), 0);
        EXPECT_EQ(total, 3000);
    }
    {
        ScriptedServer server(Talk({{"tail", 0}}));
        CSocketClient client;
        ASSERT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
        int64_t total = -1;
        EXPECT_EQ(client.ReceiveToFile(path.c_str(), 2, total, 0), 0);
        EXPECT_EQ(total, 4);
    }
    EXPECT_EQ(ReadWholeFile(path), body + "tail");
}

TEST_F(ReceiveToFileTest, ImmediateCloseLeavesAnEmptyFile)
{
    const std::string path = PathOf("empty.bin");
    WriteWholeFile(path, "old content");
    ScriptedServer server(Talk({}));
    CSocketClient client;
    ASSERT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    int64_t total = -1;
    EXPECT_EQ(client.ReceiveToFile(path.c_str(), 1, total, 5), 0);
    EXPECT_EQ(total, 0);
    EXPECT_EQ(ReadWholeFile(path), "");
}

TEST_F(ReceiveToFileTest, BadModeAndUnwritablePathAreRefused)
{
    ScriptedServer server(Talk({{"data", 0}}));
    CSocketClient client;
    ASSERT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    const std::string path = PathOf("mode3.bin");
    int64_t total = -1;
    EXPECT_EQ(client.ReceiveToFile(path.c_str(), 3, total, 5), 1);
    struct stat info{};
    EXPECT_NE(stat(path.c_str(), &info), 0);
    EXPECT_EQ(client.ReceiveToFile(PathOf("missing/x.bin").c_str(), 1, total, 5), 2);
    EXPECT_EQ(client.ReceiveToFile(nullptr, 1, total, 5), 2);
}

TEST_F(ReceiveToFileTest, SilenceEndsTheCopyWithAWaitFailure)
{
    ScriptedServer server(Talk({{"start", 0}}, true));
    CSocketClient client;
    ASSERT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    const std::string path = PathOf("partial.bin");
    int64_t total = -1;
    EXPECT_EQ(client.ReceiveToFile(path.c_str(), 1, total, 1), 3);
    EXPECT_EQ(total, 5);
    EXPECT_EQ(ReadWholeFile(path), "start");
}

TEST_F(ReceiveToFileTest, WithoutAWaitTheReceiveTimeoutBoundsTheCopy)
{
    ScriptedServer server(Talk({{"start", 0}}, true));
    CSocketClient client;
    client.SetReceiveTimeout(700);
    ASSERT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    int64_t total = -1;
    const auto start = Clock::now();
    EXPECT_EQ(client.ReceiveToFile(PathOf("bounded.bin").c_str(), 1, total, 0), 3);
    EXPECT_GE(SecondsSince(start), 0.6);
    EXPECT_LT(SecondsSince(start), 3.0);
}

class StoppingClient : public CSocketClient
{
public:
    int32_t OnProgress(int32_t total) override
    {
        seen.push_back(total);
        return total < 512 ? 1 : 0;
    }
    std::vector<int32_t> seen;
};

TEST_F(ReceiveToFileTest, OnProgressCanStopTheCopy)
{
    ScriptedServer server(Talk({{std::string(300, 'x'), 200}, {std::string(300, 'y'), 200}, {"never", 0}}));
    StoppingClient client;
    ASSERT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    int64_t total = -1;
    EXPECT_EQ(client.ReceiveToFile(PathOf("stopped.bin").c_str(), 1, total, 5), 6);
    EXPECT_EQ(client.seen, (std::vector<int32_t>{300, 600}));
    EXPECT_EQ(total, 600);
    EXPECT_EQ(ReadWholeFile(PathOf("stopped.bin")), std::string(300, 'x') + std::string(300, 'y'));
}

// Sends `size` bytes as fast as the client takes them, then closes.
class Flood
{
public:
    explicit Flood(int64_t size)
    {
        m_listener = ListenOnLoopback(1, m_port);
        m_thread = std::thread([this, size] {
            const int connection = accept(m_listener, nullptr, nullptr);
            const std::string block(64 * 1024, 'f');
            for (int64_t left = size; connection >= 0 && left > 0;) {
                const ssize_t sent = send(connection, block.data(),
                                          static_cast<size_t>(std::min<int64_t>(left, block.size())), MSG_NOSIGNAL);
                if (sent <= 0)
                    break;
                left -= sent;
            }
            close(connection);
        });
    }
    ~Flood()
    {
        m_thread.join();
        close(m_listener);
    }
    int Port() const { return m_port; }

private:
    int m_listener = -1;
    int m_port = 0;
    std::thread m_thread;
};

class CountingClient : public CSocketClient
{
public:
    int32_t OnProgress(int32_t total) override
    {
        ++calls;
        last = total;
        return 1;
    }
    int64_t calls = 0;
    int32_t last = 0;
};

TEST_F(ReceiveToFileTest, CountsPast2GiBInLargeChunks)
{
    const int64_t size = (int64_t{1} << 31) + 70000;
    Flood flood(size);
    CountingClient client;
    ASSERT_EQ(client.Connect(flood.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    int64_t total = -1;
    EXPECT_EQ(client.ReceiveToFile("/dev/null", 1, total, 5), 0);
    EXPECT_EQ(total, size);
    EXPECT_EQ(client.last, INT32_MAX);
    // Far fewer calls than 256-byte pieces would take.
    EXPECT_LT(client.calls, size / 4096);
}

TEST_F(ReceiveToFileTest, ADeadlineEndsACopyThatNeverEnds)
{
    Flood flood(int64_t{1} << 40);
    CSocketClient client;
    ASSERT_EQ(client.Connect(flood.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    client.SetDeadline(Clock::now() + std::chrono::milliseconds(300));
    int64_t total = -1;
    const auto start = Clock::now();
    EXPECT_EQ(client.ReceiveToFile("/dev/null", 1, total, 5), 3);
    EXPECT_LT(SecondsSince(start), 3.0);
    EXPECT_TRUE(client.PastDeadline());
    EXPECT_GT(total, 0);
}

int32_t StopAtOnce(int32_t)
{
    return 0;
}

TEST_F(ReceiveToFileTest, TheProgressFunctionIsConsulted)
{
    ScriptedServer server(Talk({{"abc", 0}}));
    CSocketClient client;
    client.SetProgressFunction(&StopAtOnce);
    ASSERT_EQ(client.Connect(server.Port(), "127.0.0.1", AF_INET, SOCK_STREAM), 0);
    int64_t total = -1;
    EXPECT_EQ(client.ReceiveToFile(PathOf("fn.bin").c_str(), 1, total, 5), 6);
    EXPECT_EQ(total, 3);
}

}
