#include "FtpClient.h"
#include "PyFtpServer.h"
#include "ScriptedFtpServer.h"
#include "ScriptedServer.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Step = ScriptedFtpServer::Step;
using Script = ScriptedFtpServer::Script;
using Commands = std::vector<std::string>;

constexpr int32_t kShortWaitMs = 300;
const std::string kGreeting = "220 ready\r\n";
const std::string kSettings[] = {"TYPE A\r\n", "MODE S\r\n", "STRU F\r\n"};

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A client for `server` whose waits are short enough for a test.
void Prepare(CFtpClient& client, const ScriptedFtpServer& server)
{
    client.SetPort(server.Port());
    client.SetReceiveTimeout(1000);
    client.SetDataWaits(kShortWaitMs, kShortWaitMs);
}

// USER answered with 230 and the three settings acknowledged, then `rest`.
Script LoggedIn(std::vector<Step> rest)
{
    std::vector<Step> steps = {{"230 in\r\n"}, {"200 a\r\n"}, {"200 s\r\n"}, {"200 f\r\n"}};
    steps.insert(steps.end(), rest.begin(), rest.end());
    return Script{kGreeting, steps};
}

Commands WithLogin(const Commands& rest)
{
    Commands all = {"USER user\r\n", kSettings[0], kSettings[1], kSettings[2]};
    all.insert(all.end(), rest.begin(), rest.end());
    return all;
}

// "PORT 127,0,0,1,h,l\r\n" for a port.
std::string PortCommand(int port)
{
    return "PORT 127,0,0,1," + std::to_string(port / 256) + "," + std::to_string(port % 256) + "\r\n";
}

std::vector<std::string> EntryNames(const CFtpClient& client)
{
    std::vector<std::string> names;
    FtpDirEntry entry;
    for (int i = 0; client.GetEntry(i, entry) == 0; ++i)
        names.push_back(entry.name + std::string(entry.isFolder != 0 ? "/" : ""));
    return names;
}

struct LoginCase
{
    std::string name;
    Script script;
    int result;
    Commands commands;
};

void PrintTo(const LoginCase& c, std::ostream* out)
{
    *out << c.name;
}

class FtpLoginTest : public ::testing::TestWithParam<LoginCase>
{
};

TEST_P(FtpLoginTest, FollowsTheRepliesAndSendsExactlyTheseCommands)
{
    const LoginCase& c = GetParam();
    ScriptedFtpServer server(c.script);
    {
        CFtpClient client;
        Prepare(client, server);
        EXPECT_EQ(client.Login("127.0.0.1", "user", "pw", ""), c.result);
    }
    EXPECT_EQ(server.Commands(), c.commands);
}

const Commands kFullLogin = {"USER user\r\n", "PASS pw\r\n", kSettings[0], kSettings[1], kSettings[2], "Quit\r\n"};

INSTANTIATE_TEST_SUITE_P(
    Replies, FtpLoginTest,
    ::testing::Values(
        LoginCase{"UserThenPassword", {kGreeting, {{"331 pw\r\n"}, {"230 in\r\n"}, {"200\r\n"}, {"200\r\n"}, {"200\r\n"}}}, 0, kFullLogin},
        LoginCase{"UserAlone", LoggedIn({}), 0, WithLogin({"Quit\r\n"})},
        LoginCase{"PassAsksForAccount", {kGreeting, {{"331\r\n"}, {"300\r\n"}, {"230\r\n"}, {"200\r\n"}, {"200\r\n"}, {"200\r\n"}}}, 0,
                  {"USER user\r\n", "PASS pw\r\n", "ACCT \r\n", kSettings[0], kSettings[1], kSettings[2], "Quit\r\n"}},
        LoginCase{"Pass332IsLoggedIn", {kGreeting, {{"331\r\n"}, {"332\r\n"}, {"200\r\n"}, {"200\r\n"}, {"200\r\n"}}}, 0, kFullLogin},
        LoginCase{"MultiLineGreeting", {"220-one\r\n220-two\r\n220 three\r\n", {{"230\r\n"}, {"200\r\n"}, {"200\r\n"}, {"200\r\n"}}}, 0,
                  WithLogin({"Quit\r\n"})},
        LoginCase{"OverlongGreetingLine", {"220 " + std::string(400, 'x') + "\r\n", LoggedIn({}).steps}, 0, WithLogin({"Quit\r\n"})},
        // 254 characters and CR LF once left the LF to pass for the next reply.
        LoginCase{"Greeting254", {"220 " + std::string(250, 'x') + "\r\n", LoggedIn({}).steps}, 0, WithLogin({"Quit\r\n"})},
        LoginCase{"GreetingLongerThanALine", {"220-" + std::string(5000, 'x') + "\r\n220 in\r\n", LoggedIn({}).steps}, 0,
                  WithLogin({"Quit\r\n"})},
        LoginCase{"Greeting120", {"120 later\r\n", {}}, 4, {"Quit\r\n"}},
        LoginCase{"NoGreeting", {"", {}, true}, 3, {}},
        LoginCase{"UserRefused", {kGreeting, {{"530 no\r\n"}}}, 6, {"USER user\r\n", "Quit\r\n"}},
        LoginCase{"NoReplyToUser", {kGreeting, {{""}}, true}, 5, {"USER user\r\n"}},
        LoginCase{"PassRefused", {kGreeting, {{"331\r\n"}, {"530\r\n"}}}, 8, {"USER user\r\n", "PASS pw\r\n", "Quit\r\n"}},
        LoginCase{"NoReplyToPass", {kGreeting, {{"331\r\n"}, {""}}, true}, 7, {"USER user\r\n", "PASS pw\r\n"}},
        LoginCase{"AccountRefused", {kGreeting, {{"331\r\n"}, {"300\r\n"}, {"530\r\n"}}}, 10,
                  {"USER user\r\n", "PASS pw\r\n", "ACCT \r\n", "Quit\r\n"}},
        LoginCase{"NoReplyToAccount", {kGreeting, {{"331\r\n"}, {"300\r\n"}, {""}}, true}, 9,
                  {"USER user\r\n", "PASS pw\r\n", "ACCT \r\n"}}));

TEST(FtpClient, LoginFailsWithoutHostOrServer)
{
    CFtpClient client;
    EXPECT_EQ(client.Login("", "user", "pw", ""), 1);
    client.SetPort(UnusedLoopbackPort());
    EXPECT_EQ(client.Login("127.0.0.1", "user", "pw", ""), 2);
}

TEST(FtpClient, MultiLineReplyIsReadAsOne)
{
    ScriptedFtpServer server(
        {kGreeting, {{"230-Welcome\r\n230-rules\r\n230 in\r\n"}, {"200\r\n"}, {"200\r\n"}, {"200\r\n"}, {"502 no\r\n"}}});
    CFtpClient client;
    Prepare(client, server);
    ASSERT_EQ(client.Login("127.0.0.1", "user", "pw", ""), 0);
    // Had the 230 lines been taken one by one, NOOP would read a 200.
    EXPECT_EQ(client.Noop(), 2);
}

TEST(FtpClient, ASilentServerIsBoundedByTheReceiveTimeout)
{
    ScriptedFtpServer server(LoggedIn({{""}}));
    CFtpClient client;
    Prepare(client, server);
    ASSERT_EQ(client.Login("127.0.0.1", "user", "pw", ""), 0);
    const auto start = Clock::now();
    EXPECT_EQ(client.Noop(), 1);
    EXPECT_GE(SecondsSince(start), 0.9);
    EXPECT_LT(SecondsSince(start), 5.0);
}

struct CommandCase
{
    std::string name;
    std::function<int(CFtpClient&)> call;
    std::string reply;
    int result;
    Commands sent;
};

void PrintTo(const CommandCase& c, std::ostream* out)
{
    *out << c.name;
}

class FtpCommandTest : public ::testing::TestWithParam<CommandCase>
{
};

TEST_P(FtpCommandTest, SendsTheCommandAndJudgesTheReply)
{
    const CommandCase& c = GetParam();
    ScriptedFtpServer server(LoggedIn({{c.reply}}));
    {
        CFtpClient client;
        Prepare(client, server);
        ASSERT_EQ(client.Login("127.0.0.1", "user", "pw", ""), 0);
        EXPECT_EQ(c.call(client), c.result);
    }
    Commands expected = WithLogin(c.sent);
    expected.push_back("Quit\r\n");
    EXPECT_EQ(server.Commands(), expected);
}

int Cwd(CFtpClient& client)
{
    return client.ChangeDir("My Site");
}

INSTANTIATE_TEST_SUITE_P(
    Replies, FtpCommandTest,
    ::testing::Values(
        CommandCase{"CwdDone", Cwd, "250 ok\r\n", 0, {"CWD My Site\r\n"}},
        CommandCase{"CwdRefused", Cwd, "550 no\r\n", 2, {"CWD My Site\r\n"}},
        CommandCase{"CwdWithLineBreakIsNotSent", [](CFtpClient& c) { return c.ChangeDir("a\nDELE x"); }, "", 1, {}},
        CommandCase{"CwdTooLongIsNotSent", [](CFtpClient& c) { return c.ChangeDir(std::string(600, 'a').c_str()); }, "", 1, {}},
        CommandCase{"CdupDone", [](CFtpClient& c) { return c.ChangeDirUp(); }, "200 ok\r\n", 0, {"CDUP\r\n"}},
        CommandCase{"CdupRefused", [](CFtpClient& c) { return c.ChangeDirUp(); }, "550 no\r\n", 2, {"CDUP\r\n"}},
        CommandCase{"CdupOther", [](CFtpClient& c) { return c.ChangeDirUp(); }, "421 bye\r\n", 3, {"CDUP\r\n"}},
        CommandCase{"NoopDone", [](CFtpClient& c) { return c.Noop(); }, "200 ok\r\n", 0, {"NOOP\r\n"}},
        CommandCase{"NoopOther", [](CFtpClient& c) { return c.Noop(); }, "421 bye\r\n", 2, {"NOOP\r\n"}},
        CommandCase{"TypeImage", [](CFtpClient& c) { return c.SetType(1); }, "200 ok\r\n", 0, {"TYPE I\r\n"}},
        CommandCase{"TypeRefused", [](CFtpClient& c) { return c.SetType(0); }, "504 no\r\n", 3, {"TYPE A\r\n"}},
        CommandCase{"TypeUnknownCode", [](CFtpClient& c) { return c.SetType(2); }, "", 1, {}}));

TEST(FtpClient, AnIdleClientEndsWithItsNoReplyResults)
{
    TempFolder folder;
    WriteWholeFile(folder.PathOf("stamped.exe"), "MZ");
    CFtpClient client;
    EXPECT_EQ(client.Noop(), 1);
    EXPECT_EQ(client.ChangeDir("x"), 1);
    EXPECT_EQ(client.ChangeDirUp(), 1);
    EXPECT_EQ(client.SetType(1), 2);
    EXPECT_EQ(client.List(), 2);
    EXPECT_EQ(client.PutFile(folder.PathOf("stamped.exe").c_str(), "pla1_0.exe"), 2);
    EXPECT_EQ(client.Quit(), 0);
}

TEST(FtpClient, ListParsesEveryLineButTheFirstTotal)
{
    const std::string listing = "total 8\r\n"
                                "drwxr-xr-x   2 owner group 4096 Jan 15 10:30 docs\r\n"
                                "-rw-r--r--   1 owner group  120 Dec  3  1998 index.html\r\n"
                                "01-15-99  10:30AM       <DIR>          cgi-bin\r\n"
                                "total 9\r\n"
                                "\r\n";
    ScriptedFtpServer server(LoggedIn({{"200 port\r\n"}, {"150 here\r\n", ScriptedFtpServer::SendData(listing), "226 done\r\n"}}));
    {
        CFtpClient client;
        Prepare(client, server);
        ASSERT_EQ(client.Login("127.0.0.1", "user", "pw", ""), 0);
        ASSERT_EQ(client.List(), 0);
        EXPECT_EQ(EntryNames(client), (std::vector<std::string>{"docs/", "index.html", "cgi-bin/", "", ""}));
        FtpDirEntry entry;
        EXPECT_EQ(client.GetEntry(5, entry), 1);
        EXPECT_EQ(client.GetEntry(-1, entry), 1);
        client.ClearEntries();
        EXPECT_EQ(client.GetEntryCount(), 0);
    }
    ASSERT_EQ(server.AnnouncedPorts().size(), 1u);
    const int port = server.AnnouncedPorts()[0];
    EXPECT_GE(port, 10000);
    EXPECT_LE(port, 29999);
    EXPECT_EQ(server.Commands(), WithLogin({PortCommand(port), "LIST\r\n", "Quit\r\n"}));
}

TEST(FtpClient, ListWithAFailedFinalReplyGivesFour)
{
    ScriptedFtpServer server(LoggedIn({{"200 port\r\n"}, {"150 here\r\n", ScriptedFtpServer::SendData(""), "451 aborted\r\n"}}));
    CFtpClient client;
    Prepare(client, server);
    ASSERT_EQ(client.Login("127.0.0.1", "user", "pw", ""), 0);
    EXPECT_EQ(client.List(), 4);
}

TEST(FtpClient, AFailedListKeepsTheEntriesOfTheLastGoodOne)
{
    const std::string good = "-rw 1 o g 1 Jan 1 2000 kept\r\n";
    ScriptedFtpServer server(LoggedIn({{"200 port\r\n"},
                                       {"150\r\n", ScriptedFtpServer::SendData(good), "226\r\n"},
                                       {"200 port\r\n"},
                                       {"150\r\n", ScriptedFtpServer::SendData("-rw 1 o g 1 Jan 1 2000 other\r\n"), "451 aborted\r\n"},
                                       {"200 port\r\n"},
                                       {"150\r\n", ScriptedFtpServer::StallData(5000), "426 closed\r\n"},
                                       {"200 noop\r\n"}}));
    CFtpClient client;
    Prepare(client, server);
    ASSERT_EQ(client.Login("127.0.0.1", "user", "pw", ""), 0);
    ASSERT_EQ(client.List(), 0);
    EXPECT_EQ(client.List(), 4);
    EXPECT_EQ(EntryNames(client), std::vector<std::string>{"kept"});
    // A data connection that falls silent ends the listing as a failure.
    EXPECT_EQ(client.List(), 4);
    EXPECT_EQ(EntryNames(client), std::vector<std::string>{"kept"});
    EXPECT_EQ(client.Noop(), 0);
}

TEST(FtpClient, LongListingLinesKeepTheirNamesAndTheLineThatFollows)
{
    const std::string prefix = "-rw-r--r-- 1 o g 1 Jan 1 2000 ";
    const std::string name254 = std::string(254 - prefix.size(), 'n');
    const std::string name4970(4970, 'y');
    const std::string folder = "drwxr-xr-x 2 o g 4096 Jan 1 2000 docs\r\n";
    const std::string listing = prefix + name254 + "\r\n" + folder + prefix + name4970 + "\r\n" + folder;
    ScriptedFtpServer server(LoggedIn({{"200 port\r\n"}, {"150\r\n", ScriptedFtpServer::SendData(listing), "226\r\n"}}));
    CFtpClient client;
    Prepare(client, server);
    ASSERT_EQ(client.Login("127.0.0.1", "user", "pw", ""), 0);
    ASSERT_EQ(client.List(), 0);
    // A name is kept whole up to 255 characters; the rest of a longer line is no entry.
    EXPECT_EQ(EntryNames(client), (std::vector<std::string>{name254, "docs/", name4970.substr(0, 255), "docs/"}));
}

TEST(FtpClient, AServerThatNeverConnectsTimesOutAndTheNextListUsesTheNextPort)
{
    // The stale reply must be discarded, or NOOP would read it.
    ScriptedFtpServer server(LoggedIn({{"200 port\r\n"},
                                       {"150 here\r\n500 stale\r\n"},
                                       {"200 noop\r\n"},
                                       {"200 port\r\n"},
                                       {"150 here\r\n", ScriptedFtpServer::SendData("-rw 1 o g 1 Jan 1 2000 a\r\n"), "226\r\n"}}));
    CFtpClient client;
    Prepare(client, server);
    ASSERT_EQ(client.Login("127.0.0.1", "user", "pw", ""), 0);
    const auto start = Clock::now();
    EXPECT_EQ(client.List(), 3);
    EXPECT_GE(SecondsSince(start), 0.25);
    EXPECT_EQ(client.Noop(), 0);
    EXPECT_EQ(client.List(), 0);
    EXPECT_EQ(EntryNames(client), std::vector<std::string>{"a"});
    ASSERT_EQ(server.AnnouncedPorts().size(), 2u);
    EXPECT_EQ(server.AnnouncedPorts()[1], server.AnnouncedPorts()[0] + 1);
}

TEST(FtpClient, PortsWrapAfter32000AndARefusedPortFreesTheDataPort)
{
    ScriptedFtpServer server(LoggedIn({{"500 no\r\n"},
                                       {"200 port\r\n"},
                                       {"150 here\r\n", ScriptedFtpServer::SendData(""), "226\r\n"}}));
    CFtpClient client;
    Prepare(client, server);
    client.SetNextDataPort(32000);
    ASSERT_EQ(client.Login("127.0.0.1", "user", "pw", ""), 0);
    EXPECT_EQ(client.List(), 2);
    EXPECT_EQ(client.List(), 0);
    EXPECT_EQ(server.AnnouncedPorts(), (std::vector<int>{32000, 10000}));
}

TEST(FtpClient, ATakenPortIsSkipped)
{
    const int taken = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(taken, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(taken, 1), 0);
    ASSERT_EQ(getsockname(taken, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const int takenPort = ntohs(address.sin_port);

    ScriptedFtpServer server(LoggedIn({{"200 port\r\n"}, {"150\r\n", ScriptedFtpServer::SendData(""), "226\r\n"}}));
    CFtpClient client;
    Prepare(client, server);
    client.SetNextDataPort(takenPort);
    ASSERT_EQ(client.Login("127.0.0.1", "user", "pw", ""), 0);
    EXPECT_EQ(client.List(), 0);
    ASSERT_EQ(server.AnnouncedPorts().size(), 1u);
    EXPECT_GT(server.AnnouncedPorts()[0], takenPort);
    EXPECT_LE(server.AnnouncedPorts()[0], takenPort + 127);
    close(taken);
}

TEST(FtpClient, ADataConnectionFromAnotherAddressIsRefused)
{
    bool intruderClosed = false;
    const auto intrudeThenList = [&intruderClosed](ScriptedFtpServer& server) {
        const int intruder = server.ConnectBack("127.0.0.2");
        ASSERT_GE(intruder, 0);
        const std::string fake = "-rw 1 o g 1 Jan 1 2000 fake\r\n";
        send(intruder, fake.data(), fake.size(), MSG_NOSIGNAL);
        pollfd watched{intruder, POLLIN, 0};
        char byte = 0;
        intruderClosed = poll(&watched, 1, 5000) > 0 && recv(intruder, &byte, 1, 0) <= 0;
        close(intruder);
        ScriptedFtpServer::SendData("-rw 1 o g 1 Jan 1 2000 real\r\n")(server);
    };
    ScriptedFtpServer server(LoggedIn({{"200 port\r\n"}, {"150\r\n", intrudeThenList, "226\r\n"}}));
    CFtpClient client;
    Prepare(client, server);
    client.SetDataWaits(8000, 8000);
    ASSERT_EQ(client.Login("127.0.0.1", "user", "pw", ""), 0);
    EXPECT_EQ(client.List(), 0);
    EXPECT_TRUE(intruderClosed);
    EXPECT_EQ(EntryNames(client), std::vector<std::string>{"real"});
}

std::string RandomBytes(size_t size)
{
    std::mt19937 generator(7);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(generator());
    return bytes;
}

TEST(FtpClient, PutFileSendsTheWholeFileAndReportsItsProgress)
{
    TempFolder folder;
    const std::string content = RandomBytes(3 * 1024 * 1024 + 17);
    WriteWholeFile(folder.PathOf("stamped.exe"), content);
    ScriptedFtpServer server(LoggedIn({{"200 port\r\n"}, {"150 go\r\n", ScriptedFtpServer::ReceiveData(), "226 done\r\n"}}));
    std::vector<std::pair<int64_t, int64_t>> progress;
    {
        CFtpClient client;
        Prepare(client, server);
        client.SetPutProgress([&progress](int64_t sent, int64_t size) { progress.emplace_back(sent, size); });
        ASSERT_EQ(client.Login("127.0.0.1", "user", "pw", ""), 0);
        EXPECT_EQ(client.PutFile(folder.PathOf("stamped.exe").c_str(), "pla1_0.exe"), 0);
    }
    const auto size = static_cast<int64_t>(content.size());
    ASSERT_GE(progress.size(), 2u);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back(), std::make_pair(size, size));
    EXPECT_EQ(server.Commands(), WithLogin({PortCommand(server.AnnouncedPorts().at(0)), "STOR pla1_0.exe\r\n", "Quit\r\n"}));
    EXPECT_TRUE(server.Uploaded() == content);
}

TEST(FtpClient, PutFileFailures)
{
    struct Case
    {
        std::string name;
        std::vector<Step> steps;
        int result;
    };
    const Case cases[] = {
        {"StorRefused", {{"200 port\r\n"}, {"553 no\r\n"}}, 3},
        {"NeverConnects", {{"200 port\r\n"}, {"150 go\r\n"}}, 4},
        {"TransferFailed", {{"200 port\r\n"}, {"150 go\r\n", ScriptedFtpServer::ReceiveData(), "451 disk full\r\n"}}, 5},
    };
    TempFolder folder;
    WriteWholeFile(folder.PathOf("stamped.exe"), "MZ");
    for (const Case& c : cases) {
        ScriptedFtpServer server(LoggedIn(c.steps));
        CFtpClient client;
        Prepare(client, server);
        ASSERT_EQ(client.Login("127.0.0.1", "user", "pw", ""), 0) << c.name;
        EXPECT_EQ(client.PutFile(folder.PathOf("stamped.exe").c_str(), "pla1_0.exe"), c.result) << c.name;
    }
}

TEST(FtpClient, ALocalFileThatCannotBeReadSendsNothing)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.PathOf("folder.exe"));
    ASSERT_EQ(mkfifo(folder.PathOf("fifo.exe").c_str(), 0600), 0);
    for (const char* name : {"missing.exe", "folder.exe", "fifo.exe"}) {
        ScriptedFtpServer server(LoggedIn({{"200 port\r\n"}, {"150 go\r\n", ScriptedFtpServer::ReceiveData(), "226 done\r\n"}}));
        {
            CFtpClient client;
            Prepare(client, server);
            ASSERT_EQ(client.Login("127.0.0.1", "user", "pw", ""), 0);
            EXPECT_EQ(client.PutFile(folder.PathOf(name).c_str(), "pla1_0.exe"), 5) << name;
        }
        EXPECT_EQ(server.Commands(), WithLogin({"Quit\r\n"})) << name;
    }
}

class FtpAgainstPyftpdlib : public ::testing::Test
{
protected:
    FtpAgainstPyftpdlib()
    {
        namespace fs = std::filesystem;
        fs::create_directory(m_home.PathOf("docs"));
        fs::create_directory(m_home.PathOf("My Site"));
        WriteWholeFile(m_home.PathOf("index.html"), "<html></html>");
        WriteWholeFile(m_home.PathOf("My Site/inside.txt"), "x");
    }

    int Login(CFtpClient& client)
    {
        client.SetPort(m_server.Port());
        return client.Login("127.0.0.1", PyFtpServer::kUser, PyFtpServer::kPassword, "");
    }

    TempFolder m_home;
    PyFtpServer m_server{m_home.Path()};
};

TEST_F(FtpAgainstPyftpdlib, ListsAndChangesFolders)
{
    ASSERT_NE(m_server.Port(), 0);
    CFtpClient client;
    ASSERT_EQ(Login(client), 0);
    ASSERT_EQ(client.List(), 0);
    std::vector<std::string> names = EntryNames(client);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"My Site/", "docs/", "index.html"}));

    EXPECT_EQ(client.ChangeDir("My Site"), 0);
    ASSERT_EQ(client.List(), 0);
    EXPECT_EQ(EntryNames(client), std::vector<std::string>{"inside.txt"});
    EXPECT_EQ(client.ChangeDir("nowhere"), 2);
    EXPECT_EQ(client.ChangeDirUp(), 0);
    ASSERT_EQ(client.List(), 0);
    EXPECT_EQ(client.GetEntryCount(), 3);
    EXPECT_EQ(client.Noop(), 0);
}

TEST_F(FtpAgainstPyftpdlib, EntersAndListsAFolderOf250Characters)
{
    ASSERT_NE(m_server.Port(), 0);
    const std::string name(250, 'f');
    std::filesystem::create_directory(m_home.PathOf(name));
    WriteWholeFile(m_home.PathOf(name + "/inside.txt"), "x");
    CFtpClient client;
    ASSERT_EQ(Login(client), 0);
    ASSERT_EQ(client.List(), 0);
    const std::vector<std::string> names = EntryNames(client);
    EXPECT_NE(std::find(names.begin(), names.end(), name + "/"), names.end());
    ASSERT_EQ(client.ChangeDir(name.c_str()), 0);
    ASSERT_EQ(client.List(), 0);
    EXPECT_EQ(EntryNames(client), std::vector<std::string>{"inside.txt"});
}

TEST_F(FtpAgainstPyftpdlib, AMissingLocalFileLeavesThePublishedFileAsItWas)
{
    ASSERT_NE(m_server.Port(), 0);
    const std::string published = RandomBytes(64 * 1024);
    WriteWholeFile(m_home.PathOf("pla1_0.exe"), published);
    TempFolder local;
    CFtpClient client;
    ASSERT_EQ(Login(client), 0);
    EXPECT_EQ(client.PutFile(local.PathOf("missing.exe").c_str(), "pla1_0.exe"), 5);
    EXPECT_EQ(client.Noop(), 0);
    EXPECT_TRUE(ReadWholeFile(m_home.PathOf("pla1_0.exe")) == published);
}

TEST_F(FtpAgainstPyftpdlib, PutFileStoresAndReplacesTheFile)
{
    ASSERT_NE(m_server.Port(), 0);
    TempFolder local;
    const std::string first = RandomBytes(10 * 1024 * 1024);
    WriteWholeFile(local.PathOf("big.exe"), first);
    WriteWholeFile(local.PathOf("small.exe"), "MZ stamped");

    CFtpClient client;
    ASSERT_EQ(Login(client), 0);
    EXPECT_EQ(client.SetType(1), 0);
    ASSERT_EQ(client.PutFile(local.PathOf("big.exe").c_str(), "pla1_0.exe"), 0);
    EXPECT_TRUE(ReadWholeFile(m_home.PathOf("pla1_0.exe")) == first);
    ASSERT_EQ(client.PutFile(local.PathOf("small.exe").c_str(), "pla1_0.exe"), 0);
    EXPECT_EQ(ReadWholeFile(m_home.PathOf("pla1_0.exe")), "MZ stamped");
}

}
