// Reading a response from a peer on 127.0.0.1: the request on the wire is
// never split, whatever the path holds; what is kept of the body is what the
// peer sent last; header and body lines keep their bounds.
#include "FuzzCheck.h"
#include "FuzzFiles.h"
#include "FuzzLoopback.h"
#include "HttpClient.h"

#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>

namespace {

int g_listener = -1;
int g_port = 0;

// Takes one connection, reads the request up to its blank line, sends the
// response and closes.
std::string Serve(std::string_view response)
{
    const int connection = FuzzLoopback::Accept(g_listener);
    if (connection < 0)
        return {};
    std::string request;
    char chunk[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const ssize_t got = recv(connection, chunk, sizeof chunk, 0);
        if (got <= 0)
            break;
        request.append(chunk, static_cast<std::size_t>(got));
    }
    send(connection, response.data(), response.size(), MSG_NOSIGNAL);
    close(connection);
    return request;
}

bool SplitsRequest(unsigned char c)
{
    return c <= ' ' || c == 0x7F;
}

void CheckRequest(const std::string& request)
{
    const std::string tail = " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
    FUZZ_CHECK(request.starts_with("GET /"));
    FUZZ_CHECK(request.ends_with(tail));
    const std::string_view target(request.data() + 4, request.size() - 4 - tail.size());
    for (char c : target)
        FUZZ_CHECK(!SplitsRequest(static_cast<unsigned char>(c)));
}

bool IsSuffix(std::string_view whole, std::string_view part)
{
    return whole.ends_with(part);
}

void CheckHeaders(const CHttpClient& client, std::string_view response)
{
    for (int i = 0; i < client.GetHeaderCount(); ++i) {
        const std::string_view header = client.GetHeader(i);
        FUZZ_CHECK(header.size() <= 511);
        FUZZ_CHECK(response.find(header) != std::string_view::npos);
    }
    // The content type is one of the header lines, or none.
    const char* contentType = client.GetContentType();
    bool isHeader = false;
    for (int i = 0; i < client.GetHeaderCount(); ++i)
        isHeader = isHeader || client.GetHeader(i) == contentType;
    FUZZ_CHECK(isHeader ? strcasestr(contentType, "content-type") != nullptr : *contentType == '\0');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    if (g_listener < 0)
        g_listener = FuzzLoopback::Listen(g_port);
    const bool toFile = data[0] & 1;
    // The path is the input up to its first NUL, the response the rest.
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t nul = rest.find('\0');
    const std::string_view path = rest.substr(0, nul);
    const std::string_view response = nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);
    // A scheme separator later in the URL would make its next part the host.
    if (path.find(":/") != std::string_view::npos || path.find(":\\") != std::string_view::npos)
        return 0;

    std::string url = "127.0.0.1/" + std::string(path);
    std::string request;
    std::thread server([&] { request = Serve(response); });
    CHttpClient client;
    client.SetPort(g_port);
    const std::string file = FuzzFiles::Folder() + "/body";
    const int result = toFile ? client.GetToFile(url.data(), file.c_str()) : client.GetToLines(url.data());
    server.join();

    FUZZ_CHECK(result == 0 || (!toFile && result == 5));
    CheckRequest(request);
    CheckHeaders(client, response);
    if (toFile) {
        FUZZ_CHECK(IsSuffix(response, FuzzFiles::Read(file)));
        return 0;
    }
    // Lines are texts: one with a NUL is kept up to it.
    const bool text = response.find('\0') == std::string_view::npos;
    std::string body;
    for (int i = 0; i < client.GetBodyLineCount(); ++i) {
        const std::string_view line = client.GetBodyLine(i);
        FUZZ_CHECK(line.size() <= 511);
        if (text && i + 1 < client.GetBodyLineCount())
            FUZZ_CHECK(line.ends_with("\r\n") || line.size() == 511 || line.ends_with('\r'));
        body += line;
    }
    FUZZ_CHECK(result == 0 || body.empty());
    if (text)
        FUZZ_CHECK(IsSuffix(response, body));
    return 0;
}
