#include "HttpClient.h"
#include "ScriptedServer.h"
#include "ServerProcess.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace {

std::vector<std::string> BodyLines(const CHttpClient& client)
{
    std::vector<std::string> lines;
    for (int i = 0; i < client.GetBodyLineCount(); ++i)
        lines.emplace_back(client.GetBodyLine(i));
    return lines;
}

std::string JoinedBody(const CHttpClient& client)
{
    std::string body;
    for (const std::string& line : BodyLines(client))
        body += line;
    return body;
}

int FetchLines(int port, std::string url, CHttpClient& client)
{
    client.SetPort(port);
    return client.GetToLines(url.data());
}

int FetchFile(int port, std::string url, const std::string& path)
{
    CHttpClient client;
    client.SetPort(port);
    return client.GetToFile(url.data(), path.c_str());
}

TEST(HttpClientAgainstPython, AMegabyteArrivesByteForByte)
{
    TempFolder served;
    std::string content(1 << 20, '\0');
    std::mt19937 random(7);
    for (char& byte : content)
        byte = static_cast<char>(random());
    WriteWholeFile(served.PathOf("big.bin"), content);
    WriteWholeFile(served.PathOf("notes.txt"), "one\r\ntwo\n");

    ServerProcess server({"/usr/bin/python3", "-u", "-m", "http.server", "0", "--bind", "127.0.0.1",
                          "--directory", served.Path()},
                         " port ");
    ASSERT_GT(server.Port(), 0) << server.FirstLine();

    TempFolder received;
    EXPECT_EQ(FetchFile(server.Port(), "http://127.0.0.1/big.bin", received.PathOf("big.bin")), 0);
    EXPECT_TRUE(ReadWholeFile(received.PathOf("big.bin")) == content);

    CHttpClient client;
    EXPECT_EQ(FetchLines(server.Port(), "localhost/notes.txt", client), 0);
    EXPECT_EQ(BodyLines(client), (std::vector<std::string>{"one\r\n", "two\n"}));
}

class ContentServerTest : public ::testing::Test
{
protected:
    ContentServerTest()
        : m_server({CONTENT_SERVER_PATH, "--port", "0", "--root", DEMO_CONTENT_DIR, "--log", LogPath()},
                   "127.0.0.1:")
    {
    }

    std::string LogPath() const { return m_folder.PathOf("claims.log"); }
    int Port() const { return m_server.Port(); }

    TempFolder m_folder;
    ServerProcess m_server;
};

TEST_F(ContentServerTest, AnnouncesItsPortAndStopsCleanlyOnSigterm)
{
    ASSERT_GT(Port(), 0);
    EXPECT_EQ(m_server.FirstLine(), "listening on 127.0.0.1:" + std::to_string(Port()));
    const int status = m_server.Stop();
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(ContentServerTest, ServesTheVersionAndTheNoticeAsText)
{
    CHttpClient version;
    ASSERT_EQ(FetchLines(Port(), "127.0.0.1/kestrin/plversion.txt", version), 0);
    EXPECT_STREQ(version.GetContentType(), "Content-Type: text/plain");
    EXPECT_EQ(BodyLines(version), (std::vector<std::string>{"1.1\r\n"}));

    CHttpClient notice;
    ASSERT_EQ(FetchLines(Port(), "127.0.0.1/kestrin/plastall.txt", notice), 0);
    EXPECT_EQ(JoinedBody(notice).rfind("{\\rtf1", 0), 0u);
    EXPECT_EQ(JoinedBody(notice), ReadWholeFile(std::string(DEMO_CONTENT_DIR) + "/kestrin/plastall.txt"));
}

TEST_F(ContentServerTest, ServesPagesAsHtmlAndMissingOnesAs404)
{
    for (const char* page : {"127.0.0.1/download.htm", "127.0.0.1/quorvel"}) {
        CHttpClient client;
        EXPECT_EQ(FetchLines(Port(), page, client), 0) << page;
        EXPECT_STREQ(client.GetHeader(0), "HTTP/1.1 200 OK") << page;
        EXPECT_STREQ(client.GetContentType(), "Content-Type: text/html") << page;
    }
    for (const char* missing : {"127.0.0.1/kestrin/none.txt", "127.0.0.1/kestrin/../kestrin/ads.txt", "127.0.0.1/kestrin"}) {
        CHttpClient client;
        EXPECT_EQ(FetchLines(Port(), missing, client), 0) << missing;
        EXPECT_STREQ(client.GetHeader(0), "HTTP/1.1 404 Not Found") << missing;
    }
}

TEST_F(ContentServerTest, EveryListedPremiumFileIsAContentFileWithThePlaceholder)
{
    for (const char* list : {"articles.txt", "ads.txt"}) {
        const std::string listPath = m_folder.PathOf(list);
        ASSERT_EQ(FetchFile(Port(), std::string("127.0.0.1/kestrin/") + list, listPath), 0);
        const std::string names = ReadWholeFile(listPath);
        size_t count = 0;
        for (size_t start = 0, end; (end = names.find("\r\n", start)) != std::string::npos; start = end + 2) {
            const std::string name = names.substr(start, end - start);
            const std::string local = m_folder.PathOf(name);
            ASSERT_EQ(FetchFile(Port(), "127.0.0.1/kestrin/" + name, local), 0) << name;
            const std::string content = ReadWholeFile(local);
            EXPECT_NE(content.find("\r\n~*^\r\n"), std::string::npos) << name;
            EXPECT_NE(content.find("sponsorID"), std::string::npos) << name;
            ++count;
        }
        EXPECT_GE(count, 2u) << list;
    }
}

TEST_F(ContentServerTest, LogsEveryClaimWithItsQuery)
{
    const std::vector<std::string> claims = {
        "/cgi-bin/redeem.cgi?name=a+b&email=x&bonustype=x",
        "/cgi-quillfen/sspregister_click.cgi?SponsorID",
        "/cgi-quillfen/sspregister_click.cgi?IM4711",
        "/cgi-bin/redeem.cgi",
    };
    for (const std::string& claim : claims) {
        CHttpClient client;
        EXPECT_EQ(FetchLines(Port(), "127.0.0.1" + claim, client), 0) << claim;
        EXPECT_STREQ(client.GetHeader(0), "HTTP/1.1 200 OK") << claim;
    }
    for (const char* other : {"/kestrin/plversion.txt?x=1", "/cgi-bin/redeemXcgi?x=1"}) {
        CHttpClient notAClaim;
        FetchLines(Port(), std::string("127.0.0.1") + other, notAClaim);
    }

    std::string expected;
    for (const std::string& claim : claims)
        expected += claim + "\n";
    EXPECT_EQ(ReadWholeFile(LogPath()), expected);
}

// A site root beside a folder it must not give away.
class HostileContentServerTest : public ::testing::Test
{
protected:
    HostileContentServerTest()
    {
        mkdir(m_folder.PathOf("root").c_str(), 0700);
        mkdir(m_folder.PathOf("outside").c_str(), 0700);
        WriteWholeFile(m_folder.PathOf("root/ok.txt"), "ok\r\n");
        WriteWholeFile(m_folder.PathOf("outside/secret.txt"), "secret\r\n");
        symlink("ok.txt", m_folder.PathOf("root/inside.txt").c_str());
        symlink("/etc/passwd", m_folder.PathOf("root/passwd.txt").c_str());
        symlink(m_folder.PathOf("outside").c_str(), m_folder.PathOf("root/out").c_str());
        mkfifo(m_folder.PathOf("root/pipe.txt").c_str(), 0600);
        m_server = std::make_unique<ServerProcess>(
            std::vector<std::string>{CONTENT_SERVER_PATH, "--port", "0", "--root", m_folder.PathOf("root"), "--log",
                                     m_folder.PathOf("claims.log"), "--request-deadline", "3"},
            "127.0.0.1:");
    }

    int Port() const { return m_server->Port(); }

    TempFolder m_folder;
    std::unique_ptr<ServerProcess> m_server;
};

TEST_F(HostileContentServerTest, ServesOnlyRegularFilesInsideTheRoot)
{
    ASSERT_GT(Port(), 0);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/ok.txt", "HTTP/1.1 200 OK"},
        {"/inside.txt", "HTTP/1.1 200 OK"},
        {"/passwd.txt", "HTTP/1.1 404 Not Found"},
        {"/out/secret.txt", "HTTP/1.1 404 Not Found"},
        {"/pipe.txt", "HTTP/1.1 404 Not Found"},
    };
    for (const auto& [path, status] : cases) {
        CHttpClient client;
        EXPECT_EQ(FetchLines(Port(), "127.0.0.1" + path, client), 0) << path;
        EXPECT_STREQ(client.GetHeader(0), status.c_str()) << path;
    }
}

// Connections to the server that send nothing of their own.
class IdleClients
{
public:
    IdleClients(int port, int count)
    {
        for (int i = 0; i < count; ++i)
            if (const int fd = ConnectToLoopback(port); fd >= 0)
                m_sockets.push_back(fd);
    }
    ~IdleClients()
    {
        for (int fd : m_sockets)
            close(fd);
    }
    const std::vector<int>& Sockets() const { return m_sockets; }
    int Connected() const { return static_cast<int>(m_sockets.size()); }
    // Connections the server has closed or cut.
    int Cut() const
    {
        int cut = 0;
        char byte = 0;
        for (int fd : m_sockets) {
            const ssize_t got = recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
            cut += got == 0 || (got < 0 && errno == ECONNRESET);
        }
        return cut;
    }

private:
    std::vector<int> m_sockets;
};

// Clients that send a request a byte at a time and never finish it.
class Drippers : public IdleClients
{
public:
    Drippers(int port, int count) : IdleClients(port, count)
    {
        m_thread = std::thread([this] {
            const std::string start = "GET /ok.txt HTTP/1.0\r\nX-Slow: ";
            for (size_t i = 0; !m_stop; ++i) {
                const char byte = i < start.size() ? start[i] : 'a';
                for (int fd : Sockets())
                    send(fd, &byte, 1, MSG_NOSIGNAL);
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
        });
    }
    ~Drippers()
    {
        m_stop = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// More drippers than the server has workers.
TEST_F(HostileContentServerTest, SlowClientsShutNobodyOutAndAreCutAtTheDeadline)
{
    ASSERT_GT(Port(), 0);
    Drippers drippers(Port(), 200);
    ASSERT_EQ(drippers.Connected(), 200);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto start = std::chrono::steady_clock::now();
    CHttpClient client;
    EXPECT_EQ(FetchLines(Port(), "127.0.0.1/ok.txt", client), 0);
    EXPECT_LT(SecondsSince(start), 1.0);
    EXPECT_EQ(BodyLines(client), (std::vector<std::string>{"ok\r\n"}));
    EXPECT_EQ(drippers.Cut(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(3500));
    EXPECT_EQ(drippers.Cut(), 200);
}

// Idle connections wait for their request without a worker, and are closed
// when it has not come within the head wait.
TEST(ContentServerFlood, IdleConnectionsHoldNobodyUpAndCloseAfterTheHeadWait)
{
    TempFolder root;
    WriteWholeFile(root.PathOf("ok.txt"), "ok\r\n");
    ServerProcess server({CONTENT_SERVER_PATH, "--port", "0", "--root", root.Path(), "--log", root.PathOf("claims.log"),
                          "--head-wait", "2"},
                         "127.0.0.1:");
    ASSERT_GT(server.Port(), 0);
    IdleClients idle(server.Port(), 500);
    ASSERT_EQ(idle.Connected(), 500);

    const auto start = std::chrono::steady_clock::now();
    CHttpClient client;
    EXPECT_EQ(FetchLines(server.Port(), "127.0.0.1/ok.txt", client), 0);
    EXPECT_LT(SecondsSince(start), 1.0);
    EXPECT_EQ(BodyLines(client), (std::vector<std::string>{"ok\r\n"}));
    EXPECT_EQ(idle.Cut(), 0);

    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    EXPECT_EQ(idle.Cut(), 500);
}

// A line of /proc/<pid>/status in KiB: VmRSS is the resident memory now,
// VmHWM the most it has been.
long StatusKiB(pid_t pid, const std::string& field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    return -1;
}

TEST(ContentServerMemory, AQuarterGigabyteIsServedInPiecesWithFlatMemory)
{
    constexpr off_t kSize = off_t{256} << 20;
    // Marks at places no piece boundary falls on, and the last byte.
    const std::vector<off_t> marks = {12345, (off_t{100} << 20) + 3, kSize - 1};
    TempFolder root;
    {
        const int file = open(root.PathOf("big.bin").c_str(), O_CREAT | O_WRONLY, 0600);
        ASSERT_GE(file, 0);
        ASSERT_EQ(ftruncate(file, kSize), 0);  // sparse: no disk to speak of
        for (const off_t mark : marks)
            ASSERT_EQ(pwrite(file, "z", 1, mark), 1);
        close(file);
    }
    // A deadline no loaded test machine reaches.
    ServerProcess server({CONTENT_SERVER_PATH, "--port", "0", "--root", root.Path(), "--log", root.PathOf("claims.log"),
                          "--request-deadline", "600"},
                         "127.0.0.1:");
    ASSERT_GT(server.Port(), 0);
    const int fd = ConnectToLoopback(server.Port());
    ASSERT_GE(fd, 0);
    const std::string request = "GET /big.bin HTTP/1.0\r\n\r\n";
    ASSERT_EQ(send(fd, request.data(), request.size(), MSG_NOSIGNAL), static_cast<ssize_t>(request.size()));

    std::string head;
    off_t body = 0;
    long mostResident = 0;
    std::vector<off_t> marksSeen;
    std::vector<char> buffer(1 << 20);
    const std::vector<char> zeros(buffer.size());
    constexpr off_t kSample = 4 << 20;
    for (ssize_t got; (got = recv(fd, buffer.data(), buffer.size(), 0)) > 0;) {
        std::string_view piece(buffer.data(), static_cast<size_t>(got));
        if (head.find("\r\n\r\n") == std::string::npos) {
            head.append(piece);
            const size_t end = head.find("\r\n\r\n");
            if (end == std::string::npos)
                continue;
            piece = piece.substr(piece.size() - (head.size() - end - 4));
        }
        if (std::memcmp(piece.data(), zeros.data(), piece.size()) != 0)
            for (size_t i = 0; i < piece.size(); ++i)
                if (piece[i] != '\0')
                    marksSeen.push_back(body + static_cast<off_t>(i));
        if (body / kSample != (body + static_cast<off_t>(piece.size())) / kSample)
            mostResident = std::max(mostResident, StatusKiB(server.Pid(), "VmRSS"));
        body += static_cast<off_t>(piece.size());
    }
    close(fd);
    EXPECT_EQ(head.rfind("HTTP/1.1 200 OK\r\n", 0), 0u) << head;
    EXPECT_EQ(body, kSize);
    EXPECT_EQ(marksSeen, marks);
    mostResident = std::max(mostResident, StatusKiB(server.Pid(), "VmHWM"));
    EXPECT_GT(mostResident, 0);
    EXPECT_LT(mostResident, 64 * 1024) << "KiB resident while serving";
}

TEST_F(HostileContentServerTest, StopsWithinTwoSecondsOfSigtermWhateverClientsDo)
{
    ASSERT_GT(Port(), 0);
    Drippers drippers(Port(), 64);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto start = std::chrono::steady_clock::now();
    const int status = m_server->Stop();
    EXPECT_LT(SecondsSince(start), 2.0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(ContentServerCommandLine, HelpAndBadArguments)
{
    ServerProcess help({CONTENT_SERVER_PATH, "--help"}, "no port");
    EXPECT_EQ(help.FirstLine(), "Usage: content-server --port N --root DIR --log FILE");
    const int helpStatus = help.Wait();
    EXPECT_TRUE(WIFEXITED(helpStatus) && WEXITSTATUS(helpStatus) == 0);

    TempFolder folder;
    const std::vector<std::vector<std::string>> bad = {
        {CONTENT_SERVER_PATH, "--port", "0", "--root", folder.Path()},
        {CONTENT_SERVER_PATH, "--port", "x", "--root", folder.Path(), "--log", folder.PathOf("l")},
        {CONTENT_SERVER_PATH, "--port", "0", "--root", folder.Path(), "--log", folder.PathOf("l"), "--fast"},
        {CONTENT_SERVER_PATH, "--port", "0", "--root", folder.Path(), "--log", folder.PathOf("l"), "--head-wait", "0"},
    };
    for (const auto& args : bad) {
        ServerProcess server(args, "127.0.0.1:");
        EXPECT_EQ(server.Port(), 0);
        const int status = server.Wait();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << args.back();
    }
}

}
