#include "HttpClient.h"
#include "ServerProcess.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <random>
#include <string>
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
