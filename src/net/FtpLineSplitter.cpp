#include "FtpLineSplitter.h"

size_t CFtpLineSplitter::Feed(const char* data, size_t size)
{
    size_t taken = 0;
    while (!m_complete && taken < size) {
        const char byte = data[taken++];
        m_started = true;
        if (byte == '\n' && m_afterCr) {
            if (m_crKept)
                --m_length;
            m_complete = true;
            break;
        }
        const bool kept = m_length < kLineCapacity - 1;
        if (kept)
            m_line[m_length++] = byte;
        m_afterCr = byte == '\r';
        m_crKept = m_afterCr && kept;
    }
    return taken;
}

const char* CFtpLineSplitter::TakeLine()
{
    m_line[m_length] = '\0';
    m_length = 0;
    m_started = false;
    m_complete = false;
    m_afterCr = false;
    m_crKept = false;
    return m_line;
}

void CFtpLineSplitter::Clear()
{
    TakeLine();
}
