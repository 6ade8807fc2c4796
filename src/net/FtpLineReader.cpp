#include "FtpLineReader.h"

#include <algorithm>

CFtpLineReader::CFtpLineReader(CSocketClient& connection)
    : m_connection(connection)
{
}

CFtpLineReader::Status CFtpLineReader::Next(const char*& line, Clock::time_point deadline, int32_t silenceMs)
{
    for (;;) {
        if (m_start < m_end) {
            if (m_bytesLeft <= 0)
                return Status::Exceeded;
            const size_t offered = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(m_end - m_start), m_bytesLeft));
            const size_t taken = m_splitter.Feed(m_buffer + m_start, offered);
            m_start += taken;
            m_bytesLeft -= static_cast<int64_t>(taken);
            if (m_splitter.LineComplete()) {
                line = m_splitter.TakeLine();
                return Status::Line;
            }
            continue;
        }
        Status failure = Status::Closed;
        if (!Fill(deadline, silenceMs, failure)) {
            if (failure != Status::Closed || !m_splitter.LineStarted())
                return failure;
            line = m_splitter.TakeLine();
            return Status::Line;
        }
    }
}

bool CFtpLineReader::Fill(Clock::time_point deadline, int32_t silenceMs, Status& failure)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    const int64_t silence = silenceMs > 0 ? silenceMs : INT32_MAX;
    const auto wait = static_cast<int32_t>(std::clamp<int64_t>(std::min<int64_t>(left, silence), 0, INT32_MAX));
    if (left <= 0 || m_connection.WaitReadable(wait / 1000, wait % 1000 * 1000) != 0) {
        failure = Clock::now() >= deadline ? Status::Exceeded : Status::Silent;
        return false;
    }
    const int32_t got = m_connection.Receive(m_buffer, static_cast<int32_t>(sizeof m_buffer), 0);
    if (got <= 0) {
        failure = Status::Closed;
        return false;
    }
    m_start = 0;
    m_end = static_cast<size_t>(got);
    return true;
}

void CFtpLineReader::LimitBytes(int64_t bytes)
{
    m_bytesLeft = bytes;
}

void CFtpLineReader::Clear()
{
    m_splitter.Clear();
    m_start = 0;
    m_end = 0;
}
