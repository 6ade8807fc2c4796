#include "HttpClient.h"

#include "GetToken.h"
#include "IsDottedAddress.h"
#include "ResolveHost.h"
#include "TrimLineEnd.h"

#include <sys/socket.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <strings.h>

namespace {
constexpr int kLinesPathCapacity = 1200;
constexpr int kFilePathCapacity = 256;
constexpr int kLineCapacity = 512;
constexpr int kHostCapacity = 256;
constexpr int kHeaderNameCapacity = 64;
// Room for "GET /", the longest path with every byte percent-encoded and
// " HTTP/1.0\r\n", so any path that fits a path buffer goes out whole.
constexpr int kRequestLineCapacity = std::max(kLineCapacity, 3 * kLinesPathCapacity + 32);
constexpr int64_t kMaxKeptBytes = 16 * 1024 * 1024;
constexpr int32_t kLineWaitSeconds = 5;
constexpr int32_t kCreateOrTruncate = 1;

bool StartsWithIgnoringCase(const char* text, const char* prefix)
{
    return strncasecmp(text, prefix, std::strlen(prefix)) == 0;
}

// Bytes that would end or split a request line or header on the wire.
bool SplitsRequest(unsigned char c)
{
    return c <= ' ' || c == 0x7F;
}

// The path with every byte that could split the request percent-encoded.
void EncodePath(const char* path, char* out, size_t capacity)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    size_t used = 0;
    for (const char* at = path; *at != '\0' && used + 4 <= capacity; ++at) {
        const auto c = static_cast<unsigned char>(*at);
        if (SplitsRequest(c)) {
            out[used++] = '%';
            out[used++] = kHex[c >> 4];
            out[used++] = kHex[c & 0xF];
        } else {
            out[used++] = *at;
        }
    }
    out[used] = '\0';
}
}

int CHttpClient::GetToLines(char* url)
{
    char path[kLinesPathCapacity];
    bool headersEnded = false;
    const int failure = SendRequestAndReadHeaders(url, path, sizeof path, headersEnded);
    if (failure != 0)
        return failure;

    const char* contentType = GetContentType();
    if (!StartsWithIgnoringCase(contentType, "Content-Type: text/html")
        && !StartsWithIgnoringCase(contentType, "Content-Type: text/plain")) {
        Close();
        return 5;
    }

    const int result = headersEnded ? ReadBodyLines() : 0;
    Close();
    return result;
}

int CHttpClient::ReadBodyLines()
{
    char line[kLineCapacity];
    int64_t kept = 0;
    for (;;) {
        const int32_t received = ReceiveLine(line, sizeof line, kLineWaitSeconds);
        if (PastDeadline() || kept + received > kMaxKeptBytes)
            return kOverLimit;
        if (received == 0)
            return 0;
        kept += received;
        m_bodyLines.Add(line);
    }
}

int CHttpClient::GetToFile(char* url, const char* filePath)
{
    char path[kFilePathCapacity];
    bool headersEnded = false;
    const int failure = SendRequestAndReadHeaders(url, path, sizeof path, headersEnded);
    if (failure != 0)
        return failure;

    // The body is stored whether the headers ended on the blank line or by silence.
    int64_t total = 0;
    const int received = ReceiveToFile(filePath, kCreateOrTruncate, total, 0);
    Close();
    if (received != 0 && PastDeadline())
        return kOverLimit;
    return received == 0 ? 0 : 5 + received;
}

int CHttpClient::SendRequestAndReadHeaders(char* url, char* path, int pathCapacity, bool& headersEnded)
{
    ClearResponse();
    SetDeadline(std::chrono::steady_clock::now() + std::chrono::milliseconds(m_requestDeadlineMs));
    if (ParseUrl(url, path, pathCapacity) != 0)
        return 3;
    if (Connect(m_port, m_address, AF_INET, SOCK_STREAM) != 0)
        return PastDeadline() ? kOverLimit : 1;
    if (const int failure = SendRequest(path); failure != 0) {
        Close();
        return failure;
    }
    if (const int failure = ReadHeaders(headersEnded); failure != 0) {
        Close();
        return failure;
    }
    return 0;
}

int CHttpClient::SendRequest(const char* path)
{
    char encoded[kRequestLineCapacity - 32];
    EncodePath(path, encoded, sizeof encoded);
    char requestLine[kRequestLineCapacity];
    std::snprintf(requestLine, sizeof requestLine,
                  encoded[0] == '/' ? "GET %s HTTP/1.0\r\n" : "GET /%s HTTP/1.0\r\n", encoded);

    char hostLine[kLineCapacity];
    std::snprintf(hostLine, sizeof hostLine, "Host: %s", m_hostName);
    AddRequestHeader(hostLine);

    // One send for the whole request: the server has it in one segment, and
    // no line waits on the acknowledgement of the one before.
    std::string request = requestLine;
    for (int i = 0; const char* header = m_requestHeaders.GetAt(i); ++i)
        request += header;
    request += "\r\n";
    return SendAll(request.data(), request.size()) ? 0 : 4;
}

int CHttpClient::ReadHeaders(bool& headersEnded)
{
    char line[kLineCapacity];
    int64_t kept = 0;
    for (;;) {
        const int32_t received = ReceiveLine(line, sizeof line, kLineWaitSeconds);
        if (PastDeadline() || kept + received > kMaxKeptBytes)
            return kOverLimit;
        if (received < 3) {
            headersEnded = received > 0;
            return 0;
        }
        kept += received;
        TrimLineEnd(line);
        m_responseHeaders.Add(line);
    }
}

int CHttpClient::GetBodyLineCount() const
{
    return m_bodyLines.GetCount();
}

const char* CHttpClient::GetBodyLine(int index) const
{
    return m_bodyLines.GetAt(index);
}

int CHttpClient::GetHeaderCount() const
{
    return m_responseHeaders.GetCount();
}

const char* CHttpClient::GetHeader(int index) const
{
    return m_responseHeaders.GetAt(index);
}

const char* CHttpClient::GetContentType() const
{
    char name[kHeaderNameCapacity];
    for (int i = 0; const char* header = m_responseHeaders.GetAt(i); ++i) {
        if (GetToken(header, ": ", 0, name, sizeof name) == 0 && strcasecmp(name, "Content-Type") == 0)
            return header;
    }
    return "";
}

int CHttpClient::AddRequestHeader(const char* line)
{
    const char* text = line != nullptr ? line : "";
    const size_t length = std::strlen(text);
    const bool endsLine = (length >= 1 && text[length - 1] == '\n') || (length >= 2 && text[length - 2] == '\r');
    if (endsLine)
        return m_requestHeaders.Add(text);
    std::string withEnd(text);
    withEnd += "\r\n";
    return m_requestHeaders.Add(withEnd.c_str());
}

int CHttpClient::ParseUrl(char* url, char* path, int capacity)
{
    if (path != nullptr && capacity > 0)
        path[0] = '\0';
    char noUrl[] = "";
    if (url == nullptr)
        url = noUrl;
    std::replace(url, url + std::strlen(url), '\\', '/');

    int result = 0;
    char host[kHostCapacity];
    const int hostIndex = std::strstr(url, "://") != nullptr ? 1 : 0;
    if (GetToken(url, "/?", hostIndex, host, sizeof host) != 0)
        result += 1;
    if (SetHost(host) != 0)
        result += 2;

    // The path runs from after the host to the first asterisk; one that does
    // not fit the buffer is dropped, so '/' is requested.
    const char* remainder = std::strstr(url, host) + std::strlen(host);
    GetToken(remainder, "*", 0, path, capacity);
    return result;
}

int CHttpClient::SetHost(const char* hostName)
{
    const char* name = hostName != nullptr ? hostName : "";
    if (std::strcmp(name, m_hostName) == 0)
        return 0;
    if (std::strlen(name) >= sizeof m_hostName)
        return 1;
    for (const char* at = name; *at != '\0'; ++at)
        if (SplitsRequest(static_cast<unsigned char>(*at)))
            return 2;
    std::snprintf(m_hostName, sizeof m_hostName, "%s", name);
    m_address[0] = '\0';
    if (std::strlen(name) < sizeof m_address && IsDottedAddress(name))
        std::snprintf(m_address, sizeof m_address, "%s", name);
    return ResolveHost(name, m_address, sizeof m_address);
}

void CHttpClient::ClearResponse()
{
    m_responseHeaders.RemoveAll();
    m_bodyLines.RemoveAll();
}

void CHttpClient::SetRequestDeadline(int32_t milliseconds)
{
    m_requestDeadlineMs = milliseconds;
}

void CHttpClient::SetPort(int32_t port)
{
    m_port = port;
}
