#pragma once

#include <netinet/in.h>

#include <cstdint>

// A blocking IPv4 TCP client owning at most one connected socket.
// Operations report by result codes; nothing throws.
class CSocketClient
{
public:
    using ProgressFunction = int32_t (*)(int32_t total);

    CSocketClient();
    CSocketClient(const CSocketClient&) = delete;
    CSocketClient& operator=(const CSocketClient&) = delete;
    virtual ~CSocketClient();

    // Nonzero to go on, 0 to stop a transfer. Default: the progress function's
    // answer when one is set, else 1.
    virtual int32_t OnProgress(int32_t total);
    void SetProgressFunction(ProgressFunction function);

    // 0 connected; 1 a socket is already open; 2 no socket could be made;
    // 3 the connection failed; 4 it did not complete within the send time-out.
    int Connect(int32_t port, const char* dottedAddress, int32_t family, int32_t socketType);
    // Bit mask: +1 the shutdown failed, +2 closing the handle failed.
    int Close();

    // One platform send; a length of 0 or less sends the whole NUL-terminated text.
    int32_t Send(const char* data, int32_t length);
    // 0 when ready within the time; 1 on time-out or error.
    int WaitReadable(int32_t seconds, int32_t microseconds);
    int WaitWritable(int32_t seconds, int32_t microseconds);

    // One platform receive after an optional wait (seconds > 0): bytes, 0 at
    // close or when the wait ran out, -1 on error.
    int32_t Receive(char* buffer, int32_t capacity, int32_t waitSeconds);
    // Reads one line ending in CR LF (kept), or a piece of capacity - 1 bytes,
    // without consuming anything beyond it. Always NUL-terminates.
    int32_t ReceiveLine(char* buffer, int32_t capacity, int32_t waitSeconds);
    // Copies the rest of the stream into a file. Mode 1 creates or truncates,
    // mode 2 appends. 0 end of stream; 1 bad mode; 2 open failed; 3 a wait ran
    // out; 4 a receive failed; 5 a write came up short; 6 OnProgress stopped it.
    int ReceiveToFile(const char* path, int32_t mode, int32_t& total, int32_t waitSeconds);

    // 0 done; 1 the platform refused.
    int SetNonBlocking(bool nonBlocking);
    // Store the time-out and apply it to the current socket; the platform's result.
    int SetSendTimeout(int32_t milliseconds);
    int SetReceiveTimeout(int32_t milliseconds);

private:
    int WaitFor(short events, int32_t milliseconds) const;
    int ApplyTimeout(int option, int32_t milliseconds) const;
    // Reads exactly `count` bytes that a peek has already shown to be there.
    bool Consume(char* buffer, int32_t count);

    int32_t m_port = 0;
    char m_peerAddress[32] = {};
    int32_t m_family = 0;
    int32_t m_socketType = 0;
    int m_socket = -1;
    sockaddr_in m_peer{};
    int32_t m_sendTimeout = 0;
    int32_t m_receiveTimeout = 0;
    ProgressFunction m_progressFunction = nullptr;
};
