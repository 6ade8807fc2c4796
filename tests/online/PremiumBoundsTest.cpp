// The premium step under hostile conditions: killed in the middle of an
// item, served slowly, served without end. Nothing half-done may stay, and
// time, disk and memory stay bounded.
#include "PremiumContent.h"

#include "LoopbackHttpServer.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QDirIterator>

#include <gtest/gtest.h>

#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

extern char** environ;

namespace {
using Strings = std::vector<std::string>;
using namespace std::chrono_literals;

class PremiumBoundsTest : public ::testing::Test {
protected:
    PremiumBoundsTest()
    {
        for (const std::string& folder : {Articles(), Ads()})
            QDir().mkpath(QString::fromStdString(folder));
    }

    std::string Library() const { return env.Folder() + "/File Manager"; }
    std::string Articles() const { return Library() + "/Premium Content/Articles"; }
    std::string Ads() const { return Library() + "/Premium Content/Ads"; }

    // Every file in the premium folders, hidden ones too, "Articles/name".
    QStringList PremiumFiles() const
    {
        QStringList found;
        const QString root = QString::fromStdString(Library() + "/Premium Content/");
        QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next().mid(root.size());
        found.sort();
        return found;
    }

    TestEnvironment env;
};

// Answers the lists at once and hands every other request to `item`.
LoopbackHttpServer::Writer Lists(const std::string& articles, const std::string& ads,
                                 std::function<void(int, const std::string&)> item)
{
    return [=](int connection, const std::string& line) {
        if (line.find(" /kestrin/articles.txt ") != std::string::npos)
            LoopbackHttpServer::SendAll(connection, LoopbackHttpServer::Answer(articles));
        else if (line.find(" /kestrin/ads.txt ") != std::string::npos)
            LoopbackHttpServer::SendAll(connection, LoopbackHttpServer::Answer(ads));
        else
            item(connection, line);
    };
}

std::string Header(size_t length)
{
    return "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(length) + "\r\n\r\n";
}

// Waits (at most 10 s) for the peer to close the connection.
void WaitForThePeerToGo(int connection)
{
    char byte;
    for (int i = 0; i < 1000; ++i) {
        pollfd watched{connection, POLLIN, 0};
        if (poll(&watched, 1, 10) > 0 && recv(connection, &byte, 1, 0) <= 0)
            return;
    }
}

// The size of the file that process `pid` holds open in `folder`, -1 while it holds none.
int64_t OpenFileSize(pid_t pid, const std::string& folder)
{
    const std::string fds = "/proc/" + std::to_string(pid) + "/fd";
    DIR* listing = opendir(fds.c_str());
    if (!listing)
        return -1;
    int64_t size = -1;
    while (const dirent* entry = readdir(listing)) {
        char target[4096];
        const std::string link = fds + "/" + entry->d_name;
        const ssize_t length = readlink(link.c_str(), target, sizeof target - 1);
        struct stat info {};
        if (length > 0 && std::string(target, size_t(length)).starts_with(folder + "/")
            && stat(link.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            size = info.st_size;
    }
    closedir(listing);
    return size;
}

class PremiumInterruptTest : public PremiumBoundsTest, public testing::WithParamInterface<bool> {};

// Killed with half an item on the disk: no name in the folder shows it (the
// hidden stand-in of a file system without unnamed files goes at the next
// start), and the next start stores the whole item and nothing else.
TEST_P(PremiumInterruptTest, AKilledStartLeavesNothingAndTheNextStoresTheWholeItem)
{
    const bool unnamed = GetParam();
    const std::string body(48 * 1024, 'b');
    const size_t half = body.size() / 2;
    std::atomic<bool> cutShort{true};
    std::promise<void> halfSent;
    LoopbackHttpServer server(Lists("big.txt\r\n", "", [&](int connection, const std::string&) {
        if (!cutShort) {
            LoopbackHttpServer::SendAll(connection, Header(body.size()) + body);
            return;
        }
        LoopbackHttpServer::SendAll(connection, Header(body.size()) + body.substr(0, half));
        halfSent.set_value();
        WaitForThePeerToGo(connection);
    }));
    const std::string port = std::to_string(server.Port());
    const std::string library = Library();
    const char* argv[] = {PREMIUM_UPDATE_PROBE, port.c_str(), library.c_str(), unnamed ? "1" : "0", nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ), 0);
    ASSERT_EQ(halfSent.get_future().wait_for(20s), std::future_status::ready);
    bool halfStored = false;
    for (int i = 0; i < 1000 && !halfStored; ++i) {
        halfStored = OpenFileSize(pid, Articles()) == int64_t(half);
        if (!halfStored)
            std::this_thread::sleep_for(10ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    ASSERT_TRUE(halfStored) << "the probe never held half the item";

    const QStringList afterKill = PremiumFiles();
    if (unnamed) {
        EXPECT_EQ(afterKill, QStringList());
    } else {
        ASSERT_EQ(afterKill.size(), 1);
        EXPECT_TRUE(afterKill[0].startsWith("Articles/.premium-")) << afterKill[0].toStdString();
    }
    WriteBytes(Ads() + "/.premium-AbC123", "left by an earlier version");
    QDir().mkpath(QString::fromStdString(Ads() + "/.premium-folder"));

    cutShort = false;
    const mode_t oldMask = umask(027);
    PremiumContent::Limits limits;
    limits.unnamedFiles = unnamed;
    EXPECT_TRUE(PremiumContent::Update({"127.0.0.1", server.Port()}, Library(), [](int) {}, limits));
    umask(oldMask);
    EXPECT_EQ(PremiumFiles(), QStringList{"Articles/big.txt"});
    EXPECT_EQ(ReadBytes(Articles() + "/big.txt"), body);
    struct stat info {};
    ASSERT_EQ(stat((Articles() + "/big.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, mode_t(0640)) << "0666 less the umask, as any saved file";
    EXPECT_TRUE(QFileInfo(QString::fromStdString(Ads() + "/.premium-folder")).isDir());
}

INSTANTIATE_TEST_SUITE_P(Files, PremiumInterruptTest, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "unnamed" : "hidden"; });

// Items sent a byte at a time end with the step's time: nothing half-done is
// kept, and the items not reached are not asked for.
TEST_F(PremiumBoundsTest, ADrippingServerCannotHoldTheStartPastItsBound)
{
    LoopbackHttpServer server(Lists("d1.txt\r\nd2.txt\r\nd3.txt\r\n", "a1.txt\r\n", [](int connection, const std::string&) {
        if (!LoopbackHttpServer::SendAll(connection, Header(1000)))
            return;
        for (int i = 0; i < 1000 && LoopbackHttpServer::SendAll(connection, "x"); ++i)
            std::this_thread::sleep_for(20ms);
    }));
    PremiumContent::Limits limits;
    limits.budget = 1500ms;
    std::vector<int> steps;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(PremiumContent::Update({"127.0.0.1", server.Port()}, Library(),
                                       [&steps](int n) { steps.push_back(n); }, limits));
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, 1500ms + 3s);
    EXPECT_EQ(server.Targets(), (Strings{"/kestrin/articles.txt", "/kestrin/d1.txt"}));
    EXPECT_EQ(steps, std::vector<int>{4});
    EXPECT_EQ(PremiumFiles(), QStringList());
}

// An item that never ends is dropped once it passes 16 MiB; a 2 MiB list
// counts as not fetched. What was read stays within its bound.
TEST_F(PremiumBoundsTest, EndlessItemsAndOversizedListsAreDropped)
{
    std::atomic<int64_t> itemBytesSent{0};
    LoopbackHttpServer server(Lists("endless.txt\r\n", "", [&](int connection, const std::string&) {
        LoopbackHttpServer::SendAll(connection, "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n");
        const std::string chunk(64 * 1024, 'e');
        while (itemBytesSent < (int64_t(1) << 30) && LoopbackHttpServer::SendAll(connection, chunk))
            itemBytesSent += int64_t(chunk.size());
    }));
    EXPECT_TRUE(PremiumContent::Update({"127.0.0.1", server.Port()}, Library(), [](int) {}));
    EXPECT_EQ(PremiumFiles(), QStringList());
    EXPECT_GE(itemBytesSent, int64_t(16) << 20);
    // Past the cap the client stops reading; only what the socket buffers hold comes on top.
    EXPECT_LT(itemBytesSent, int64_t(24) << 20);

    std::string hugeList;
    while (hugeList.size() < (size_t(2) << 20))
        hugeList += "name-" + std::to_string(hugeList.size()) + ".txt\r\n";
    LoopbackHttpServer listServer(Lists(hugeList, "", [](int connection, const std::string&) {
        LoopbackHttpServer::SendAll(connection, LoopbackHttpServer::Answer("item"));
    }));
    EXPECT_FALSE(PremiumContent::Update({"127.0.0.1", listServer.Port()}, Library(), [](int) {}));
    EXPECT_EQ(listServer.Targets(), Strings{"/kestrin/articles.txt"});
    EXPECT_EQ(PremiumFiles(), QStringList());
}
}  // namespace
