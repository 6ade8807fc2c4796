#include "SocketClient.h"

#include "GetToken.h"
#include "LeadingNumber.h"
#include "SecureChannel.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {
constexpr int32_t kDefaultTimeoutMs = 10000;
// One fixed stack buffer per copy: large enough that a fast transfer costs
// few system calls.
constexpr size_t kFileChunkSize = 64 * 1024;
// Files go out from one fixed buffer: no allocation during a transfer, and
// few system calls. (Measured: plain reads and sends of this size keep a
// loopback upload faster than sendfile does.)
constexpr size_t kSendChunkSize = 64 * 1024;
constexpr size_t kDrainChunkSize = 256;
constexpr int kNumberTokenCapacity = 60;
using Clock = std::chrono::steady_clock;

int32_t ToMilliseconds(int32_t seconds, int32_t microseconds)
{
    const int64_t ms = int64_t{seconds} * 1000 + microseconds / 1000;
    return ms < 0 ? 0 : ms > INT32_MAX ? INT32_MAX : static_cast<int32_t>(ms);
}

int32_t Saturated(int64_t total)
{
    return total > INT32_MAX ? INT32_MAX : static_cast<int32_t>(total);
}

bool NothingReady(int error)
{
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

// The open flags of the stdio modes "w+b" (1, truncated apart: see
// CutToEmpty) and "a+b" (2); -1 for any other.
int FileFlags(int32_t mode)
{
    switch (mode) {
    case 1:
        return O_RDWR | O_CREAT | O_CLOEXEC;
    case 2:
        return O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC;
    default:
        return -1;
    }
}

// Truncates only a file that has content: ext4 forces a file truncated on
// open to disk when it is closed, which made every download into a fresh
// temporary file a synchronous disk write.
bool CutToEmpty(int file)
{
    struct stat info {};
    if (fstat(file, &info) != 0)
        return false;
    return !S_ISREG(info.st_mode) || info.st_size == 0 || ftruncate(file, 0) == 0;
}

// Unbuffered: the body goes from the receive buffer to the file with no copy between.
bool WriteAll(int file, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t written = write(file, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}
}

CSocketClient::CSocketClient()
{
    SetReceiveTimeout(kDefaultTimeoutMs);
    SetSendTimeout(kDefaultTimeoutMs);
}

CSocketClient::~CSocketClient()
{
    Close();
}

int32_t CSocketClient::OnProgress(int32_t total)
{
    return m_progressFunction != nullptr ? m_progressFunction(total) : 1;
}

void CSocketClient::SetProgressFunction(ProgressFunction function)
{
    m_progressFunction = function;
}

int32_t CSocketClient::OnSendProgress(int64_t total)
{
    return m_sendProgressFunction != nullptr ? m_sendProgressFunction(total) : 1;
}

void CSocketClient::SetSendProgressFunction(SendProgressFunction function)
{
    m_sendProgressFunction = function;
}

int CSocketClient::Connect(int32_t port, const char* dottedAddress, int32_t family, int32_t socketType)
{
    if (m_socket != -1)
        return 1;

    m_port = port;
    m_peerAddress[0] = '\0';
    if (dottedAddress != nullptr)
        std::snprintf(m_peerAddress, sizeof m_peerAddress, "%s", dottedAddress);
    m_family = family;
    m_socketType = socketType;
    m_peer = {};
    m_peer.sin_family = static_cast<sa_family_t>(family);
    m_peer.sin_port = htons(static_cast<uint16_t>(port));
    // No name lookup here: callers resolve first.
    if (inet_pton(AF_INET, m_peerAddress, &m_peer.sin_addr) != 1)
        return 3;

    // Made non-blocking so that the send time-out can bound the connect.
    const bool bounded = m_sendTimeout > 0;
    m_socket = socket(family, socketType | (bounded ? SOCK_NONBLOCK : 0) | SOCK_CLOEXEC, 0);
    if (m_socket < 0) {
        m_socket = -1;
        return 2;
    }

    if (connect(m_socket, reinterpret_cast<const sockaddr*>(&m_peer), sizeof m_peer) != 0) {
        int result = 3;
        if ((errno == EINPROGRESS || errno == EINTR) && m_sendTimeout >= 0) {
            result = 4;
            if (WaitWritable(m_sendTimeout / 1000, 0) == 0) {
                // Writable also means "failed": only a clear socket error counts as made.
                int error = 0;
                socklen_t length = sizeof error;
                const bool failed = getsockopt(m_socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0;
                result = failed ? 3 : 0;
            }
        }
        if (result != 0) {
            close(m_socket);
            m_socket = -1;
            return result;
        }
    }

    // Reads and sends rely on a blocking socket. A new socket has no other
    // status flag to keep.
    if (bounded && fcntl(m_socket, F_SETFL, 0) != 0) {

        close(m_socket);
        m_socket = -1;
        return 3;
    }
    return 0;
}

int CSocketClient::Close()
{
    int result = 0;
    // The goodbye goes out before the stream is shut down.
    m_tls.reset();
    DiscardInput();
    if (m_socket != -1) {
        if (m_socketType == SOCK_STREAM && shutdown(m_socket, SHUT_RDWR) != 0)
            result += 1;
        if (close(m_socket) != 0)
            result += 2;
        m_socket = -1;
    }
    if (m_listener != -1) {
        if (shutdown(m_listener, SHUT_RDWR) != 0)
            result += 4;
        if (close(m_listener) != 0)
            result += 8;
        m_listener = -1;
    }
    return result;
}

int32_t CSocketClient::Send(const char* data, int32_t length)
{
    if (data == nullptr)
        return -1;
    const size_t size = length > 0 ? static_cast<size_t>(length) : std::strlen(data);
    return static_cast<int32_t>(SendBytes(data, size));
}

bool CSocketClient::SendAll(const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t once = SendBytes(data, size);
        if (once <= 0)
            return false;
        data += once;
        size -= static_cast<size_t>(once);
    }
    return true;
}

int CSocketClient::WaitReadable(int32_t seconds, int32_t microseconds)
{
    return WaitFor(POLLIN, ToMilliseconds(seconds, microseconds));
}

int CSocketClient::WaitWritable(int32_t seconds, int32_t microseconds)
{
    return WaitFor(POLLOUT, ToMilliseconds(seconds, microseconds));
}

int CSocketClient::WaitFor(short events, int32_t milliseconds) const
{
    // Bytes already buffered, or decrypted by TLS, are not seen by poll.
    if ((events & POLLIN) != 0 && (Buffered() > 0 || (m_tls && m_tls->Pending() > 0)))
        return 0;
    // The deadline, when one is set, cuts every wait short.
    if (m_deadline != Clock::time_point::max()) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_deadline - Clock::now()).count();
        milliseconds = static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(left, 0), milliseconds));
    }
    return WaitOn(m_socket, events, milliseconds);
}

int CSocketClient::WaitOn(int socket, short events, int32_t milliseconds)
{
    if (socket == -1)
        return 1;
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        // Rounded up, so that a time-out is reported only once the time has passed.
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd watched{socket, events, 0};
        const int ready = poll(&watched, 1, static_cast<int>(std::clamp<int64_t>(left, 0, INT32_MAX)));
        if (ready > 0)
            return 0;
        if (ready < 0 && errno != EINTR)
            return 1;
        if (ready == 0 && Clock::now() >= deadline)
            return 1;
    }
}

void CSocketClient::SetDeadline(Clock::time_point deadline)
{
    m_deadline = deadline;
}

void CSocketClient::ClearDeadline()
{
    m_deadline = Clock::time_point::max();
}

bool CSocketClient::PastDeadline() const
{
    return m_deadline != Clock::time_point::max() && Clock::now() >= m_deadline;
}

int32_t CSocketClient::Receive(char* buffer, int32_t capacity, int32_t waitSeconds)
{
    if (buffer != nullptr && capacity > 0 && Buffered() > 0)
        return TakeInput(buffer, capacity);
    if (waitSeconds > 0 && WaitReadable(waitSeconds, 0) != 0)
        return 0;
    return static_cast<int32_t>(ReceiveBytes(buffer, capacity > 0 ? static_cast<size_t>(capacity) : 0, 0));
}

void CSocketClient::DiscardInput()
{
    m_inputStart = 0;
    m_inputEnd = 0;
}

ssize_t CSocketClient::FillInput(bool block)
{
    if (m_inputStart > 0) {
        std::memmove(m_input, m_input + m_inputStart, static_cast<size_t>(Buffered()));
        m_inputEnd -= m_inputStart;
        m_inputStart = 0;
    }
    const ssize_t got = ReceiveBytes(m_input + m_inputEnd, static_cast<size_t>(kInputCapacity - m_inputEnd),
                                     block ? 0 : MSG_DONTWAIT);
    if (got > 0)
        m_inputEnd += static_cast<int32_t>(got);
    return got;
}

int32_t CSocketClient::PeekLine(int32_t limit, int32_t& lineLength)
{
    lineLength = 0;
    int32_t scanned = 0;
    for (;;) {
        const int32_t shown = std::min(limit, Buffered());
        const char* at = m_input + m_inputStart;
        // A CR that ended the previous look may be followed by its LF now.
        for (int32_t i = std::max(scanned - 1, 0); i + 1 < shown; ++i) {
            if (at[i] == '\r' && at[i + 1] == '\n') {
                lineLength = i + 2;
                return shown;
            }
        }
        scanned = shown;
        // A peek shows everything that has arrived, up to the limit; so does
        // this look, as far as the buffer holds.
        if (shown == limit || Buffered() == kInputCapacity || FillInput(false) <= 0)
            return shown;
    }
}

int32_t CSocketClient::TakeInput(char* out, int32_t count)
{
    const int32_t taken = std::min(count, Buffered());
    std::memcpy(out, m_input + m_inputStart, static_cast<size_t>(taken));
    m_inputStart += taken;
    if (m_inputStart == m_inputEnd)
        DiscardInput();
    return taken;
}

int32_t CSocketClient::ReceiveLine(char* buffer, int32_t capacity, int32_t waitSeconds)
{
    if (buffer == nullptr || capacity <= 0)
        return 0;
    buffer[0] = '\0';

    // The line is read as a peek-and-consume loop would read it, chunk by
    // chunk of what has arrived, but from the connection's buffer.
    int32_t total = 0;
    int32_t room = capacity - 1;
    bool cutByBuffer = false;
    while (room > 0) {
        if (Buffered() == 0) {
            if (waitSeconds > 0 && WaitReadable(waitSeconds, 0) != 0)
                break;
            if (FillInput(true) <= 0)
                break;
        }

        if (total > 0 && buffer[total - 1] == '\r') {
            // The previous chunk ended in CR: the byte after it closes the
            // line. Where only the buffer's size cut it, more had arrived,
            // and only an LF ends the line.
            if (!cutByBuffer || m_input[m_inputStart] == '\n') {
                total += TakeInput(buffer + total, 1);
                break;
            }
        }

        int32_t lineLength = 0;
        const int32_t chunk = PeekLine(room, lineLength);
        cutByBuffer = lineLength == 0 && chunk < room && Buffered() == kInputCapacity;
        const int32_t take = lineLength > 0 ? lineLength : chunk;
        total += TakeInput(buffer + total, take);
        room -= take;
        if (lineLength > 0)
            break;
    }
    buffer[total] = '\0';
    return total;
}

int CSocketClient::WaitForBody(int32_t waitSeconds) const
{
    // Without a wait of the caller's, the stored receive time-out bounds each
    // read, so a server that stops sending cannot hold us forever.
    const int32_t milliseconds = waitSeconds > 0       ? ToMilliseconds(waitSeconds, 0)
                                 : m_receiveTimeout > 0 ? m_receiveTimeout
                                                        : INT32_MAX;
    return WaitFor(POLLIN, milliseconds);
}

int CSocketClient::ReceiveToFile(const char* path, int32_t mode, int64_t& total, int32_t waitSeconds)
{
    total = 0;
    const int flags = FileFlags(mode);
    if (flags == -1)
        return 1;
    const int file = path != nullptr ? open(path, flags, 0666) : -1;
    if (file < 0)
        return 2;
    if (mode == 1 && !CutToEmpty(file)) {
        close(file);
        return 2;
    }

    int result = 0;
    char chunk[kFileChunkSize];
    for (;;) {
        if (PastDeadline()) {
            result = 3;
            break;
        }
        // Bytes that came with the header lines go first, straight from the
        // buffer; then take what is there, waiting only when nothing is.
        const char* data = chunk;
        ssize_t got = Buffered();
        if (got > 0) {
            data = m_input + m_inputStart;
            DiscardInput();
        } else {
            got = ReceiveBytes(chunk, sizeof chunk, MSG_DONTWAIT);
            if (got < 0 && NothingReady(errno)) {
                if (WaitForBody(waitSeconds) != 0) {
                    result = 3;
                    break;
                }
                continue;
            }
        }
        if (got == 0)
            break;
        if (got < 0) {
            result = 4;
            break;
        }
        if (!WriteAll(file, data, static_cast<size_t>(got))) {
            result = 5;
            break;
        }
        total += got;
        if (OnProgress(Saturated(total)) == 0) {
            result = 6;
            break;
        }
    }
    if (close(file) != 0 && result == 0)
        result = 5;
    return result;
}

int CSocketClient::SetNonBlocking(bool nonBlocking)
{
    const int flags = fcntl(m_socket, F_GETFL, 0);
    if (flags < 0)
        return 1;
    const int wanted = nonBlocking ? flags | O_NONBLOCK : flags & ~O_NONBLOCK;
    return fcntl(m_socket, F_SETFL, wanted) == 0 ? 0 : 1;
}

int CSocketClient::SetSendTimeout(int32_t milliseconds)
{
    m_sendTimeout = milliseconds;
    return ApplyTimeout(SO_SNDTIMEO, milliseconds);
}

int CSocketClient::SetReceiveTimeout(int32_t milliseconds)
{
    m_receiveTimeout = milliseconds;
    return ApplyTimeout(SO_RCVTIMEO, milliseconds);
}

int CSocketClient::ApplyTimeout(int option, int32_t milliseconds) const
{
    if (m_socket == -1)
        return -1;
    timeval limit{};
    limit.tv_sec = milliseconds / 1000;
    limit.tv_usec = (milliseconds % 1000) * 1000;
    return setsockopt(m_socket, SOL_SOCKET, option, &limit, sizeof limit);
}

int CSocketClient::Listen(uint16_t port, int32_t backlog, int32_t family, uint32_t networkAddress)
{
    if (m_listener != -1)
        return 1;
    const int listener = socket(family, SOCK_STREAM, 0);
    if (listener < 0)
        return 2;
    m_listenRecord = {};
    m_listenRecord.sin_family = static_cast<sa_family_t>(family);
    m_listenRecord.sin_port = htons(port);
    m_listenRecord.sin_addr.s_addr = networkAddress;
    if (bind(listener, reinterpret_cast<const sockaddr*>(&m_listenRecord), sizeof m_listenRecord) != 0) {
        close(listener);
        return 3;
    }
    if (listen(listener, backlog) != 0) {
        close(listener);
        return 4;
    }
    m_listener = listener;
    return 0;
}

int CSocketClient::WaitIncoming(int32_t seconds)
{
    return WaitOn(m_listener, POLLIN, ToMilliseconds(seconds, 0));
}

int CSocketClient::Accept()
{
    if (m_socket != -1 || m_listener == -1)
        return 1;
    sockaddr_in peer{};
    const int accepted = AcceptWaiting(peer);
    if (accepted < 0)
        return 1;
    Adopt(accepted, peer);
    return 0;
}

int CSocketClient::AcceptFrom(const in_addr& peer, int32_t milliseconds)
{
    if (m_socket != -1 || m_listener == -1)
        return 1;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (WaitOn(m_listener, POLLIN, left > 0 ? static_cast<int32_t>(left) : 0) != 0)
            return 1;
        sockaddr_in from{};
        const int accepted = AcceptWaiting(from);
        if (accepted < 0)
            return 1;
        if (from.sin_addr.s_addr == peer.s_addr) {
            Adopt(accepted, from);
            return 0;
        }
        close(accepted);
    }
}

int CSocketClient::AcceptWaiting(sockaddr_in& peer) const
{
    socklen_t length = sizeof peer;
    return accept(m_listener, reinterpret_cast<sockaddr*>(&peer), &length);
}

void CSocketClient::Adopt(int socket, const sockaddr_in& peer)
{
    m_socket = socket;
    m_peer = peer;
    // So that Close shuts the stream down before closing it.
    m_socketType = SOCK_STREAM;
    // The stored time-outs bound every send and receive on the new connection,
    // so a peer that stops reading or sending cannot hold us.
    ApplyTimeout(SO_SNDTIMEO, m_sendTimeout);
    ApplyTimeout(SO_RCVTIMEO, m_receiveTimeout);
}

int CSocketClient::SendFile(const char* path, int64_t& total)
{
    total = 0;
    const int fd = path != nullptr ? open(path, O_RDONLY | O_CLOEXEC) : -1;
    if (fd < 0)
        return 1;
    const int result = SendFileFrom(fd, total);
    close(fd);
    return result;
}

int CSocketClient::SendFileFrom(int fd, int64_t& total)
{
    total = 0;
    char chunk[kSendChunkSize];
    for (;;) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        // A read error must not pass for the end of the file.
        if (got <= 0)
            return got == 0 ? 0 : 1;
        // A send time-out can cut a send short; the rest follows.
        if (!SendAll(chunk, static_cast<size_t>(got)))
            return 2;
        total += got;
        if (OnSendProgress(total) == 0)
            return 0;
    }
}

bool CSocketClient::BytesAvailable() const
{
    if (Buffered() > 0 || (m_tls && m_tls->Pending() > 0))
        return true;
    int unread = 0;
    return m_socket != -1 && ioctl(m_socket, FIONREAD, &unread) == 0 && unread > 0;
}

void CSocketClient::DrainInput()
{
    DiscardInput();
    char chunk[kDrainChunkSize];
    while (BytesAvailable() && ReceiveBytes(chunk, sizeof chunk, 0) > 0)
        continue;
}

int CSocketClient::FinishSending()
{
    if (m_socket == -1)
        return 1;
    if (m_tls)
        m_tls->SayGoodbye();
    shutdown(m_socket, SHUT_WR);
    const int32_t milliseconds = m_receiveTimeout > 0 ? m_receiveTimeout : kDefaultTimeoutMs;
    char ignored[kDrainChunkSize];
    // Whatever still comes (the peer's TLS goodbye) is of no use.
    while (WaitOn(m_socket, POLLIN, milliseconds) == 0) {
        const ssize_t got = recv(m_socket, ignored, sizeof ignored, 0);
        if (got <= 0)
            return got == 0 ? 0 : 1;
    }
    return 1;
}

ssize_t CSocketClient::ReceiveBytes(char* buffer, size_t size, int flags)
{
    if (!m_tls)
        return recv(m_socket, buffer, size, flags);
    const auto capacity = static_cast<int32_t>(std::min<size_t>(size, INT32_MAX));
    if ((flags & MSG_DONTWAIT) != 0 && m_tls->Pending() == 0 && WaitOn(m_socket, POLLIN, 0) != 0) {
        errno = EAGAIN;
        return -1;
    }
    return m_tls->Read(buffer, capacity);
}

ssize_t CSocketClient::SendBytes(const char* data, size_t size)
{
    // MSG_NOSIGNAL: a peer that has gone away gives -1, not SIGPIPE.
    if (!m_tls)
        return send(m_socket, data, size, MSG_NOSIGNAL);
    return m_tls->Write(data, static_cast<int32_t>(std::min<size_t>(size, INT32_MAX)));
}

int CSocketClient::GetLocalAddress(char* out, int32_t capacity) const
{
    sockaddr_in local{};
    socklen_t length = sizeof local;
    char dotted[INET_ADDRSTRLEN] = {};
    if (m_socket == -1 || getsockname(m_socket, reinterpret_cast<sockaddr*>(&local), &length) != 0
        || inet_ntop(AF_INET, &local.sin_addr, dotted, sizeof dotted) == nullptr)
        return 1;
    if (out != nullptr && capacity > 0)
        std::snprintf(out, static_cast<size_t>(capacity), "%s", dotted);
    return 0;
}

int CSocketClient::GetTokenNumber(const char* text, const char* delimiters, int index, int32_t& out)
{
    char token[kNumberTokenCapacity];
    if (GetToken(text, delimiters, index, token, sizeof token) != 0)
        return 1;
    out = LeadingNumber(token);
    return 0;
}
