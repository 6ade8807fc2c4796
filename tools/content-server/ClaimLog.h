#pragma once

#include <cstdio>
#include <mutex>
#include <string>

// Appends one line per recorded request; safe to use from the server's threads.
class ClaimLog
{
public:
    explicit ClaimLog(const std::string& path);
    ClaimLog(const ClaimLog&) = delete;
    ClaimLog& operator=(const ClaimLog&) = delete;
    ~ClaimLog();

    bool IsOpen() const { return m_file != nullptr; }
    void Record(const std::string& line);

private:
    std::FILE* m_file = nullptr;
    std::mutex m_mutex;
};
