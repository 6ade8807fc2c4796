#include "HttpClient.h"
#include "ScriptedServer.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Script = ScriptedServer::Script;

std::string Response(const std::string& contentType, const std::string& body)
{
    return "HTTP/1.0 200 OK\r\nServer: scripted\r\nContent-Type: " + contentType + "\r\n\r\n" + body;
}

// Reads the request, answers with `answer`, closes.
Script Answer(const std::string& answer)
{
    return Script{{{answer, 0}}, true, false};
}

std::vector<std::string> BodyLines(const CHttpClient& client)
{
    std::vector<std::string> lines;
    for (int i = 0; i < client.GetBodyLineCount(); ++i)
        lines.emplace_back(client.GetBodyLine(i));
    return lines;
}

std::string Repeat(const std::string& piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct RequestCase
{
    std::string name;
    std::string url;
    bool toFile;
    std::string requestLine;
};

void PrintTo(const RequestCase& c, std::ostream* out)
{
    *out << c.name;
}

class HttpRequestTest : public ::testing::TestWithParam<RequestCase>
{
};

TEST_P(HttpRequestTest, SendsExactlyTheRequestLineHostAndBlankLine)
{
    const RequestCase& c = GetParam();
    ScriptedServer server(Answer(Response("text/plain", "1.1\r\n")));
    TempFolder folder;
    CHttpClient client;
    client.SetPort(server.Port());
    std::string url = c.url;
    const int result = c.toFile ? client.GetToFile(url.data(), folder.PathOf("out").c_str())
                                : client.GetToLines(url.data());
    EXPECT_EQ(result, 0);
    EXPECT_EQ(server.Request(), c.requestLine + "\r\nHost: localhost\r\n\r\n");
}

std::vector<RequestCase> RequestCases()
{
    const std::string longestLinesPath = "/" + std::string(1198, 'p');
    const std::string longestFilePath = "/" + std::string(254, 'f');
    return {
        {"Plain", "localhost/kestrin/plversion.txt", false, "GET /kestrin/plversion.txt HTTP/1.0"},
        {"WithScheme", "http://localhost/kestrin/plversion.txt", false, "GET /kestrin/plversion.txt HTTP/1.0"},
        {"ToFile", "localhost/kestrin/plversion.txt", true, "GET /kestrin/plversion.txt HTTP/1.0"},
        {"NoPath", "localhost", false, "GET / HTTP/1.0"},
        {"QueryOnly", "localhost?x=1", false, "GET /?x=1 HTTP/1.0"},
        {"Query", "http://localhost/cgi-bin/redeem.cgi?name=a+b&email=x", false,
         "GET /cgi-bin/redeem.cgi?name=a+b&email=x HTTP/1.0"},
        {"Backslashes", "localhost\\kestrin\\ads.txt", false, "GET /kestrin/ads.txt HTTP/1.0"},
        {"CutAtAsterisk", "localhost/kestrin/a*b.txt", false, "GET /kestrin/a HTTP/1.0"},
        {"LongestLinesPath", "localhost" + longestLinesPath, false, "GET " + longestLinesPath + " HTTP/1.0"},
        {"OverlongLinesPath", "localhost" + longestLinesPath + "x", false, "GET / HTTP/1.0"},
        {"LongestFilePath", "localhost" + longestFilePath, true, "GET " + longestFilePath + " HTTP/1.0"},
        {"OverlongFilePath", "localhost" + longestFilePath + "x", true, "GET / HTTP/1.0"},
        // Bytes that could split the request are percent-encoded.
        {"LineBreaksEncoded", "localhost/a\r\nX-Injected: yes", false, "GET /a%0D%0AX-Injected:%20yes HTTP/1.0"},
        {"ControlBytesEncoded", "localhost/t\tx\x7f\x01\xe9", false, "GET /t%09x%7F%01\xe9 HTTP/1.0"},
        {"SpaceEncodedToFile", "localhost/a b", true, "GET /a%20b HTTP/1.0"},
        {"LongestPathAllEncoded", "localhost/" + std::string(1198, ' '), false, "GET /" + Repeat("%20", 1198) + " HTTP/1.0"},
    };
}

INSTANTIATE_TEST_SUITE_P(HttpClient, HttpRequestTest, ::testing::ValuesIn(RequestCases()),
                         [](const auto& info) { return info.param.name; });

TEST(HttpClient, ExtraRequestHeadersGoBeforeTheHostLine)
{
    ScriptedServer server(Answer(Response("text/plain", "")));
    CHttpClient client;
    client.SetPort(server.Port());
    EXPECT_EQ(client.AddRequestHeader("X-A: 1"), 1);
    EXPECT_EQ(client.AddRequestHeader("X-B: 2\r\n"), 1);
    EXPECT_EQ(client.AddRequestHeader("X-C: 3\n"), 1);
    char url[] = "127.0.0.1/x";
    EXPECT_EQ(client.GetToLines(url), 0);
    EXPECT_EQ(server.Request(), "GET /x HTTP/1.0\r\nX-A: 1\r\nX-B: 2\r\nX-C: 3\nHost: 127.0.0.1\r\n\r\n");
}

struct ContentTypeCase
{
    std::string headers;
    int result;
};

void PrintTo(const ContentTypeCase& c, std::ostream* out)
{
    *out << c.headers.substr(0, c.headers.find('\r'));
}

class HttpContentTypeTest : public ::testing::TestWithParam<ContentTypeCase>
{
};

TEST_P(HttpContentTypeTest, OnlyHtmlOrPlainTextBodiesAreRead)
{
    const ContentTypeCase& c = GetParam();
    ScriptedServer server(Answer("HTTP/1.0 200 OK\r\n" + c.headers + "\r\nbody\r\n"));
    CHttpClient client;
    client.SetPort(server.Port());
    char url[] = "localhost/kestrin/plversion.txt";
    EXPECT_EQ(client.GetToLines(url), c.result);
    EXPECT_EQ(client.GetBodyLineCount(), c.result == 0 ? 1 : 0);
    EXPECT_STREQ(client.GetHeader(0), "HTTP/1.0 200 OK");
}

INSTANTIATE_TEST_SUITE_P(HttpClient, HttpContentTypeTest,
    ::testing::Values(ContentTypeCase{"Content-Type: text/html\r\n", 0},
                      ContentTypeCase{"Content-type: TEXT/PLAIN; charset=x\r\n", 0},
                      ContentTypeCase{"content-type: text/html; charset=utf-8\r\n", 0},
                      ContentTypeCase{"Content-Type:text/plain\r\n", 5},
                      ContentTypeCase{"Content-Type: application/octet-stream\r\n", 5},
                      ContentTypeCase{"Server: none\r\n", 5},
                      ContentTypeCase{"X-Content-Type: text/plain\r\n", 5},
                      // Only the first Content-Type line counts.
                      ContentTypeCase{"Content-Type: image/png\r\nContent-Type: text/plain\r\n", 5}));

TEST(HttpClient, KeepsHeadersWithoutLineEndsAndBodyLinesWithThem)
{
    ScriptedServer server(Answer(Response("text/plain; charset=us-ascii", "first\r\n\r\nlast")));
    CHttpClient client;
    client.SetPort(server.Port());
    char url[] = "localhost/kestrin/plversion.txt";
    ASSERT_EQ(client.GetToLines(url), 0);
    ASSERT_EQ(client.GetHeaderCount(), 3);
    EXPECT_STREQ(client.GetHeader(1), "Server: scripted");
    EXPECT_EQ(client.GetHeader(3), nullptr);
    EXPECT_STREQ(client.GetContentType(), "Content-Type: text/plain; charset=us-ascii");
    EXPECT_EQ(BodyLines(client), (std::vector<std::string>{"first\r\n", "\r\n", "last"}));
    EXPECT_EQ(client.GetBodyLine(3), nullptr);
}

TEST(HttpClient, AnErrorPageIsReturnedAsBody)
{
    ScriptedServer server(Answer("HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\n\r\n<p>gone</p>\r\n"));
    CHttpClient client;
    client.SetPort(server.Port());
    char url[] = "localhost/kestrin/missing.txt";
    EXPECT_EQ(client.GetToLines(url), 0);
    EXPECT_STREQ(client.GetHeader(0), "HTTP/1.0 404 Not Found");
    EXPECT_EQ(BodyLines(client), (std::vector<std::string>{"<p>gone</p>\r\n"}));
}

TEST(HttpClient, LfOnlyBodiesArriveIn511BytePieces)
{
    std::string body;
    for (int i = 0; i < 20; ++i)
        body += std::string(59, 'a' + i) + "\n";
    ScriptedServer server(Answer(Response("text/plain", body)));
    CHttpClient client;
    client.SetPort(server.Port());
    char url[] = "localhost/lf.txt";
    ASSERT_EQ(client.GetToLines(url), 0);
    EXPECT_EQ(BodyLines(client), (std::vector<std::string>{body.substr(0, 511), body.substr(511, 511),
                                                           body.substr(1022)}));
}

TEST(HttpClient, LongHeaderLinesAreKeptInPieces)
{
    const std::string longValue(600, 'v');
    ScriptedServer server(Answer("HTTP/1.0 200 OK\r\nX-Long: " + longValue + "\r\nContent-Type: text/plain\r\n\r\nok\r\n"));
    CHttpClient client;
    client.SetPort(server.Port());
    char url[] = "localhost/";
    ASSERT_EQ(client.GetToLines(url), 0);
    ASSERT_EQ(client.GetHeaderCount(), 4);
    EXPECT_EQ(std::string(client.GetHeader(1)) + client.GetHeader(2), "X-Long: " + longValue);
    EXPECT_EQ(BodyLines(client), (std::vector<std::string>{"ok\r\n"}));
}

TEST(HttpClient, ASilentServerEndsTheBodyAfterFiveSeconds)
{
    ScriptedServer server(Script{{{Response("text/plain", "partial\r\n"), 0}}, true, true});
    CHttpClient client;
    client.SetPort(server.Port());
    char url[] = "localhost/kestrin/plastall.txt";
    const auto start = Clock::now();
    EXPECT_EQ(client.GetToLines(url), 0);
    EXPECT_GE(SecondsSince(start), 4.5);
    EXPECT_LT(SecondsSince(start), 8.0);
    EXPECT_EQ(BodyLines(client), (std::vector<std::string>{"partial\r\n"}));
}

TEST(HttpClient, EachGetStartsWithEmptyResults)
{
    ScriptedServer server(Answer(Response("text/plain", "one\r\n")));
    CHttpClient client;
    client.SetPort(server.Port());
    char url[] = "localhost/a.txt";
    ASSERT_EQ(client.GetToLines(url), 0);
    ASSERT_EQ(client.GetBodyLineCount(), 1);
    client.SetPort(UnusedLoopbackPort());
    EXPECT_EQ(client.GetToLines(url), 1);
    EXPECT_EQ(client.GetHeaderCount(), 0);
    EXPECT_EQ(client.GetBodyLineCount(), 0);
}

TEST(HttpClient, FailuresBeforeAnyExchange)
{
    TempFolder folder;
    const std::string file = folder.PathOf("never");
    CHttpClient refused;
    refused.SetPort(UnusedLoopbackPort());
    char url[] = "localhost/kestrin/articles.txt";
    EXPECT_EQ(refused.GetToLines(url), 1);
    EXPECT_EQ(refused.GetToFile(url, file.c_str()), 1);

    // A host name that could split the request is refused before anything is sent.
    for (std::string bad : {std::string(), std::string("http://"), std::string("///"), std::string(300, 'h'),
                            std::string("local host/x"), std::string("localhost\r\nX-Injected: yes/x"),
                            std::string("a\tb/x")}) {
        CHttpClient client;
        EXPECT_EQ(client.GetToLines(bad.data()), 3) << bad;
        EXPECT_EQ(client.GetToFile(bad.data(), file.c_str()), 3) << bad;
    }
}

TEST(HttpClient, ParseUrlSplitsHostAndPath)
{
    CHttpClient client;
    char path[64] = "junk";
    char url[] = "http:\\\\127.0.0.1\\kestrin\\x.txt";
    EXPECT_EQ(client.ParseUrl(url, path, sizeof path), 0);
    EXPECT_STREQ(url, "http://127.0.0.1/kestrin/x.txt");
    EXPECT_STREQ(path, "/kestrin/x.txt");

    char tight[] = "127.0.0.1/abcd";
    EXPECT_EQ(client.ParseUrl(tight, path, 5), 0);
    EXPECT_STREQ(path, "");
    EXPECT_EQ(client.ParseUrl(tight, path, 6), 0);
    EXPECT_STREQ(path, "/abcd");

    // A known host followed by a URL without one: no host, and the lookup of
    // the empty name fails too.
    char empty[] = "";
    EXPECT_EQ(client.ParseUrl(empty, path, sizeof path), 3);
}

TEST(HttpClient, SetHostTakesDottedTextAndRefusesLongOrEmptyNames)
{
    CHttpClient client;
    EXPECT_EQ(client.SetHost("127.0.0.1"), 0);
    EXPECT_EQ(client.SetHost("127.0.0.1"), 0);
    EXPECT_EQ(client.SetHost(std::string(256, 'n').c_str()), 1);
    EXPECT_EQ(client.SetHost(""), 2);
    EXPECT_EQ(client.SetHost("127.0.0.1\r\nX: y"), 2);
}

struct LimitCase
{
    std::string name;
    std::vector<ScriptedServer::Step> steps;
    bool toFile;
};

void PrintTo(const LimitCase& c, std::ostream* out)
{
    *out << c.name;
}

class HttpLimitTest : public ::testing::TestWithParam<LimitCase>
{
};

// A server that never finishes, or sends more than is kept, gets 12 and the
// connection closed: well before its script would end.
TEST_P(HttpLimitTest, PastTheDeadlineOrTheCapTheRequestFails)
{
    const LimitCase& c = GetParam();
    ScriptedServer server(Script{c.steps, true, true});
    TempFolder folder;
    CHttpClient client;
    client.SetPort(server.Port());
    client.SetRequestDeadline(800);
    char url[] = "localhost/kestrin/articles.txt";
    const auto start = Clock::now();
    const int result = c.toFile ? client.GetToFile(url, folder.PathOf("out").c_str()) : client.GetToLines(url);
    EXPECT_EQ(result, CHttpClient::kOverLimit);
    EXPECT_LT(SecondsSince(start), 4.0);
}

std::vector<ScriptedServer::Step> Drip(std::string start)
{
    std::vector<ScriptedServer::Step> steps{{std::move(start), 0}};
    for (int i = 0; i < 100; ++i)
        steps.push_back({"d", 100});
    return steps;
}

std::vector<LimitCase> LimitCases()
{
    const std::string line = std::string(254, 'v') + "\r\n";
    const std::string seventeenMiB = Repeat(line, 17 * 4096);
    return {
        {"DripHeadersToLines", Drip("HTTP/1.0 200 OK\r\nX-Slow: "), false},
        {"DripHeadersToFile", Drip("HTTP/1.0 200 OK\r\nX-Slow: "), true},
        {"DripBodyToLines", Drip(Response("text/plain", "")), false},
        {"DripBodyToFile", Drip(Response("text/plain", "")), true},
        {"EndlessBodyToLines", {{Response("text/plain", seventeenMiB), 0}}, false},
        {"EndlessHeadersToFile", {{"HTTP/1.0 200 OK\r\n" + seventeenMiB, 0}}, true},
    };
}

INSTANTIATE_TEST_SUITE_P(HttpClient, HttpLimitTest, ::testing::ValuesIn(LimitCases()),
                         [](const auto& info) { return info.param.name; });

TEST(HttpClient, ABodyOfJustUnderTheCapIsKept)
{
    const std::string line = std::string(254, 'v') + "\r\n";
    ScriptedServer server(Answer(Response("text/plain", Repeat(line, 16 * 4096))));
    CHttpClient client;
    client.SetPort(server.Port());
    char url[] = "localhost/big.txt";
    EXPECT_EQ(client.GetToLines(url), 0);
    EXPECT_EQ(client.GetBodyLineCount(), 16 * 4096);
}

// The header read brings the first bytes of the body; the body's first line
// ends in the next packet.
Script BodyStartingInTheHeaderRead()
{
    return Script{{{Response("text/plain", "body li"), 300}, {"ne\r\nlast", 0}}, true, false};
}

TEST(HttpClient, ABodyThatStartsInTheHeaderReadIsKeptWhole)
{
    TempFolder folder;
    const std::string path = folder.PathOf("body.txt");
    {
        ScriptedServer server(BodyStartingInTheHeaderRead());
        CHttpClient client;
        client.SetPort(server.Port());
        char url[] = "localhost/body.txt";
        ASSERT_EQ(client.GetToLines(url), 0);
        EXPECT_EQ(client.GetHeaderCount(), 3);
        EXPECT_EQ(BodyLines(client), (std::vector<std::string>{"body line\r\n", "last"}));
    }
    {
        ScriptedServer server(BodyStartingInTheHeaderRead());
        CHttpClient client;
        client.SetPort(server.Port());
        char url[] = "localhost/body.txt";
        ASSERT_EQ(client.GetToFile(url, path.c_str()), 0);
        EXPECT_EQ(client.GetHeaderCount(), 3);
        EXPECT_EQ(ReadWholeFile(path), "body line\r\nlast");
    }
}

class HttpToFileTest : public ::testing::Test
{
protected:
    int Fetch(const std::string& answer, bool holdOpen, int receiveTimeoutMs = 10000)
    {
        ScriptedServer server(Script{{{answer, 0}}, true, holdOpen});
        CHttpClient client;
        client.SetPort(server.Port());
        client.SetReceiveTimeout(receiveTimeoutMs);
        char url[] = "localhost/kestrin/tip1.txt";
        return client.GetToFile(url, m_path.c_str());
    }

    TempFolder m_folder;
    std::string m_path = m_folder.PathOf("tip1.txt");
};

TEST_F(HttpToFileTest, StoresTheBodyByteForByteOverAnOldFile)
{
    WriteWholeFile(m_path, std::string(5000, 'o'));
    std::string body = "Tip\r\nAuthor\nbare LF\r\r\n";
    body += std::string("\0\x01\xff", 3);
    EXPECT_EQ(Fetch(Response("application/octet-stream", body), false), 0);
    EXPECT_EQ(ReadWholeFile(m_path), body);
}

TEST_F(HttpToFileTest, StoresAnErrorPageToo)
{
    EXPECT_EQ(Fetch("HTTP/1.0 404 Not Found\r\n\r\nmissing", false), 0);
    EXPECT_EQ(ReadWholeFile(m_path), "missing");
}

TEST_F(HttpToFileTest, ASilentBodyIsBoundedByTheReceiveTimeout)
{
    // The old content goes even though the transfer then fails.
    WriteWholeFile(m_path, std::string(5000, 'o'));
    const auto start = Clock::now();
    EXPECT_EQ(Fetch(Response("text/plain", "half"), true, 1000), 8);
    EXPECT_LT(SecondsSince(start), 4.0);
    EXPECT_EQ(ReadWholeFile(m_path), "half");
}

TEST_F(HttpToFileTest, AnUnwritableFileGives7)
{
    m_path = m_folder.PathOf("no/such/folder.txt");
    EXPECT_EQ(Fetch(Response("text/plain", "x"), false), 7);
}

}
