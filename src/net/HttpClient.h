#pragma once

#include "SocketClient.h"
#include "StringLineList.h"

#include <cstdint>

// Fetches one resource with a single HTTP/1.0 GET. Make one object per request.
// URL texts are host and path only (an optional scheme in front); the port is
// set on the client, 80 unless changed.
class CHttpClient : public CSocketClient
{
public:
    CHttpClient() = default;

    // A request that ran past its deadline, or whose response grew past what
    // is kept (16 MiB of header lines, 16 MiB of body lines): the connection
    // is closed, and callers treat it as any other failure.
    static constexpr int kOverLimit = 12;
    static constexpr int32_t kDefaultRequestDeadlineMs = 120000;

    // 0 done; 1 no connection; 3 no usable host; 4 the request could not be
    // sent; 5 the response is neither HTML nor plain text; kOverLimit.
    int GetToLines(char* url);
    // 0 done; 1, 3, 4 as for GetToLines; otherwise 5 plus ReceiveToFile's
    // result, or kOverLimit.
    int GetToFile(char* url, const char* filePath);

    // Bounds each Get from its start to the last byte (120 s when made).
    void SetRequestDeadline(int32_t milliseconds);

    int GetBodyLineCount() const;
    // The body line with its CR LF, or null past the end.
    const char* GetBodyLine(int index) const;
    int GetHeaderCount() const;
    // The response header line without its line ending, or null past the end.
    const char* GetHeader(int index) const;
    // The first response header line named Content-Type (any case), or "".
    const char* GetContentType() const;

    // Appends a request header line, adding CR LF unless it already ends a line. Returns 1.
    int AddRequestHeader(const char* line);
    // Splits `url` (backslashes become slashes in place) into host and path.
    // 0 done; +1 no host part; +2 SetHost failed.
    int ParseUrl(char* url, char* path, int capacity);
    // 0 done; 1 name or address too long; 2 the name lookup failed, or the
    // name holds a space or a control byte (it could split the request).
    int SetHost(const char* hostName);
    void ClearResponse();

    void SetPort(int32_t port);

private:
    // Steps shared by both Get operations: parse, connect, send the request,
    // read the header block. Returns 0 or the Get's failure code.
    int SendRequestAndReadHeaders(char* url, char* path, int pathCapacity, bool& headersEnded);
    int SendRequest(const char* path);
    int ReadHeaders(bool& headersEnded);
    // The body lines of GetToLines, up to the close, a silence or a limit.
    int ReadBodyLines();

    char m_address[32] = {};
    char m_hostName[256] = {};
    int32_t m_port = 80;
    int32_t m_requestDeadlineMs = kDefaultRequestDeadlineMs;
    CStringLineList m_requestHeaders;
    CStringLineList m_responseHeaders;
    CStringLineList m_bodyLines;
};
