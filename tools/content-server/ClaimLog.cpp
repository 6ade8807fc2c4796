#include "ClaimLog.h"

ClaimLog::ClaimLog(const std::string& path)
    : m_file(std::fopen(path.c_str(), "ab"))
{
}

ClaimLog::~ClaimLog()
{
    if (m_file != nullptr)
        std::fclose(m_file);
}

void ClaimLog::Record(const std::string& line)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_file == nullptr)
        return;
    std::fputs(line.c_str(), m_file);
    std::fputc('\n', m_file);
    // Readers look at the log while the server runs.
    std::fflush(m_file);
}
