#pragma once

#include <netinet/in.h>
#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>

class CSecureChannel;
class CTlsChannel;
class CTlsContext;

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

    using SendProgressFunction = int32_t (*)(int64_t total);
    // Nonzero to go on, 0 to stop sending a file. Default: the send-progress
    // function's answer when one is set, else 1.
    virtual int32_t OnSendProgress(int64_t total);
    void SetSendProgressFunction(SendProgressFunction function);

    // 0 connected; 1 a socket is already open; 2 no socket could be made;
    // 3 the connection failed; 4 it did not complete within the send time-out.
    int Connect(int32_t port, const char* dottedAddress, int32_t family, int32_t socketType);
    // Closes the connected socket and the listening socket. Bit mask: +1 the
    // shutdown failed, +2 closing the handle failed; +4 and +8 the same for the
    // listening socket.
    int Close();

    // One platform send; a length of 0 or less sends the whole NUL-terminated text.
    int32_t Send(const char* data, int32_t length);
    // Sends every byte, continuing a send cut short; false when a send fails.
    bool SendAll(const char* data, size_t size);
    // 0 when ready within the time; 1 on time-out or error.
    int WaitReadable(int32_t seconds, int32_t microseconds);
    int WaitWritable(int32_t seconds, int32_t microseconds);

    // Bytes a line read left in the buffer, else one platform receive after
    // an optional wait (seconds > 0): bytes, 0 at close or when the wait ran
    // out, -1 on error.
    int32_t Receive(char* buffer, int32_t capacity, int32_t waitSeconds);
    // Reads one line ending in CR LF (kept), or a piece of capacity - 1 bytes.
    // Bytes received beyond it wait in the connection's buffer for the next
    // read of any kind. Always NUL-terminates.
    int32_t ReceiveLine(char* buffer, int32_t capacity, int32_t waitSeconds);
    // Copies the rest of the stream into a file. Mode 1 creates or truncates,
    // mode 2 appends. 0 end of stream; 1 bad mode; 2 open failed; 3 a wait ran
    // out (or the deadline passed); 4 a receive failed; 5 a write came up
    // short; 6 OnProgress stopped it. OnProgress sees the total saturated at
    // INT32_MAX.
    int ReceiveToFile(const char* path, int32_t mode, int64_t& total, int32_t waitSeconds);

    // One bound over every wait of this client, until cleared: a wait that
    // would end later ends at the deadline, unready.
    void SetDeadline(std::chrono::steady_clock::time_point deadline);
    void ClearDeadline();
    bool PastDeadline() const;

    // 0 done; 1 the platform refused.
    int SetNonBlocking(bool nonBlocking);
    // Store the time-out and apply it to the current socket; the platform's result.
    int SetSendTimeout(int32_t milliseconds);
    int SetReceiveTimeout(int32_t milliseconds);

    // Active data connections: the server connects to a port we listen on.
    // 0 listening; 1 already listening; 2 no socket could be made; 3 bind
    // failed; 4 listen failed.
    int Listen(uint16_t port, int32_t backlog, int32_t family, uint32_t networkAddress);
    // 0 a connection is waiting on the listening socket; 1 none within the time.
    int WaitIncoming(int32_t seconds);
    // 0 accepted: the connection becomes the connected socket, its address the
    // peer record; 1 failed (or a connected socket is already open).
    int Accept();
    // Accepts only a connection from `peer` within `milliseconds`; any other is
    // closed and the wait goes on. 0 accepted; 1 none from `peer` in time.
    int AcceptFrom(const in_addr& peer, int32_t milliseconds);
    // Sends the whole file. 0 sent, or stopped by OnSendProgress; 1 the file
    // could not be opened or read; 2 a send failed.
    int SendFile(const char* path, int64_t& total);
    // The same for a file already open, from its current offset.
    int SendFileFrom(int fd, int64_t& total);
    // Ends what we send (the TLS goodbye, then the stream's end) and waits,
    // within the receive time-out, for the peer to close its side: closing
    // with bytes unread would reset the connection and could cut short what
    // the peer has not read yet. 0 the peer closed; 1 it did not in time.
    int FinishSending();
    // Whether received bytes wait unread on the connected socket.
    bool BytesAvailable() const;
    // Discards whatever has already arrived.
    void DrainInput();
    // The local end's dotted address, cut to capacity - 1 characters.
    // 0 done; 1 no connected socket.
    int GetLocalAddress(char* out, int32_t capacity) const;
    // Token `index` (see GetToken) as a decimal number; 1 when there is no such
    // token, leaving `out` untouched.
    static int GetTokenNumber(const char* text, const char* delimiters, int index, int32_t& out);

    // Runs a TLS handshake over the connected socket; from then on every send
    // and receive goes through it, until Close. `hostName` is the name the
    // certificate must carry; `resume` offers a session the server gave before.
    // 0 done; 1 no connection or TLS already on; 2 the handshake failed, or
    // bytes came in the clear before it (they must not pass for protected ones).
    int StartTls(CTlsContext& context, const char* hostName, bool resume = false);
    // The TLS connection, or null while the connection is plain.
    const CTlsChannel* Tls() const;

    const sockaddr_in& GetPeerRecord() const { return m_peer; }
    int32_t GetReceiveTimeout() const { return m_receiveTimeout; }

private:
    static int WaitOn(int socket, short events, int32_t milliseconds);
    int WaitFor(short events, int32_t milliseconds) const;
    // The next connection on the listening socket and its address; -1 on failure.
    int AcceptWaiting(sockaddr_in& peer) const;
    // Makes an accepted connection the connected socket.
    void Adopt(int socket, const sockaddr_in& peer);
    // Waits for more of the body: the caller's wait, else the receive time-out.
    int WaitForBody(int32_t waitSeconds) const;
    int ApplyTimeout(int option, int32_t milliseconds) const;
    // Every byte in or out passes here: through TLS once it has started.
    // Flags as for recv (MSG_DONTWAIT).
    ssize_t ReceiveBytes(char* buffer, size_t size, int flags);
    ssize_t SendBytes(const char* data, size_t size);
    int32_t Buffered() const { return m_inputEnd - m_inputStart; }
    void DiscardInput();
    // Appends to the input buffer what the connection holds, blocking for it
    // or not; the receive's result.
    ssize_t FillInput(bool block);
    // The bytes a peek of up to `limit` would show, from the buffer topped up
    // with what has arrived (nothing is waited for): their count, and through
    // `lineLength` the length up to and including the first CR LF, or 0.
    int32_t PeekLine(int32_t limit, int32_t& lineLength);
    int32_t TakeInput(char* out, int32_t count);

    int32_t m_port = 0;
    char m_peerAddress[32] = {};
    int32_t m_family = 0;
    int32_t m_socketType = 0;
    int m_socket = -1;
    sockaddr_in m_peer{};
    int32_t m_sendTimeout = 0;
    int32_t m_receiveTimeout = 0;
    ProgressFunction m_progressFunction = nullptr;
    SendProgressFunction m_sendProgressFunction = nullptr;
    int m_listener = -1;
    sockaddr_in m_listenRecord{};
    std::chrono::steady_clock::time_point m_deadline = std::chrono::steady_clock::time_point::max();
    std::unique_ptr<CSecureChannel> m_tls;
    // Bytes received (decrypted, under TLS) but not yet handed out: lines are
    // read from here, so a response costs a receive per buffer rather than a
    // peek per line.
    static constexpr int32_t kInputCapacity = 16 * 1024;
    char m_input[kInputCapacity];
    int32_t m_inputStart = 0;
    int32_t m_inputEnd = 0;
};
