#include "HttpClient.h"
#include "ServerProcess.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <memory>
#include <random>
#include <string>
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

// Clients that send a request a byte at a time and never finish it.
class Drippers
{
public:
    Drippers(int port, int count)
    {
        for (int i = 0; i < count; ++i) {
            const int fd = socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_port = htons(static_cast<uint16_t>(port));
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
                m_sockets.push_back(fd);
            else
                close(fd);
            // Paced, so the server's short accept queue never overflows.
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        m_thread = std::thread([this] {
            const std::string start = "GET /ok.txt HTTP/1.0\r\nX-Slow: ";
            for (size_t i = 0; !m_stop; ++i) {
                const char byte = i < start.size() ? start[i] : 'a';
                for (int fd : m_sockets)
                    send(fd, &byte, 1, MSG_NOSIGNAL);
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
        });
    }
    ~Drippers()
    {
        m_stop = true;
        m_thread.join();
        for (int fd : m_sockets)
            close(fd);
    }
    int Connected() const { return static_cast<int>(m_sockets.size()); }
    // Connections the server has closed or cut.
    int Cut() const
    {
        int cut = 0;
        char byte = 0;
        for (int fd : m_sockets)
            cut += recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 0 || errno == ECONNRESET;
        return cut;
    }

private:
    std::vector<int> m_sockets;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

TEST_F(HostileContentServerTest, SlowClientsShutNobodyOutAndAreCutAtTheDeadline)
{
    ASSERT_GT(Port(), 0);
    Drippers drippers(Port(), 64);
    ASSERT_EQ(drippers.Connected(), 64);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    CHttpClient client;
    EXPECT_EQ(FetchLines(Port(), "127.0.0.1/ok.txt", client), 0);
    EXPECT_EQ(BodyLines(client), (std::vector<std::string>{"ok\r\n"}));
    EXPECT_EQ(drippers.Cut(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(3500));
    EXPECT_EQ(drippers.Cut(), 64);
}

TEST_F(HostileContentServerTest, StopsWithinTwoSecondsOfSigtermWhateverClientsDo)
{
    ASSERT_GT(Port(), 0);
    Drippers drippers(Port(), 64);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto start = std::chrono::steady_clock::now();
    const int status = m_server->Stop();
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 2.0);
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
    };
    for (const auto& args : bad) {
        ServerProcess server(args, "127.0.0.1:");
        EXPECT_EQ(server.Port(), 0);
        const int status = server.Wait();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << args.back();
    }
}

}
