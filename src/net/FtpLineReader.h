#pragma once

#include "FtpLineSplitter.h"
#include "SocketClient.h"

#include <chrono>
#include <cstdint>

// Reads the lines of one connection through a fixed buffer. Every wait is
// bounded twice: by the silence allowed between two pieces and by the
// deadline of the whole operation. A byte limit bounds what one reply or one
// listing may take from the wire.
class CFtpLineReader
{
public:
    enum class Status {
        Line,
        // The peer closed the connection, or it failed.
        Closed,
        // Nothing came within the silence allowed.
        Silent,
        // The deadline passed or the byte limit was reached.
        Exceeded,
    };
    using Clock = std::chrono::steady_clock;

    explicit CFtpLineReader(CSocketClient& connection);
    CFtpLineReader(const CFtpLineReader&) = delete;
    CFtpLineReader& operator=(const CFtpLineReader&) = delete;

    // The next line without its CR LF, valid until the next call. A line cut
    // short by the peer's close is still a line. `silenceMs` of 0 or less
    // allows any silence.
    Status Next(const char*& line, Clock::time_point deadline, int32_t silenceMs);
    // From now on, at most `bytes` more are taken.
    void LimitBytes(int64_t bytes);
    // Forgets what was received but not yet read.
    void Clear();

private:
    // Waits for more bytes; false, with the reason, when none came.
    bool Fill(Clock::time_point deadline, int32_t silenceMs, Status& failure);

    CSocketClient& m_connection;
    CFtpLineSplitter m_splitter;
    char m_buffer[16 * 1024] = {};
    size_t m_start = 0;
    size_t m_end = 0;
    int64_t m_bytesLeft = INT64_MAX;
};
