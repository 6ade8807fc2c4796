#include "ConnectionReaper.h"

#include <dirent.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <cstdlib>
#include <set>

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kSweepInterval = std::chrono::milliseconds(100);

// The inode of a connected (not listening) socket open as `fd`, or 0.
uint64_t ConnectionInode(int fd)
{
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISSOCK(info.st_mode))
        return 0;
    int listening = 0;
    socklen_t length = sizeof listening;
    if (getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &listening, &length) != 0 || listening != 0)
        return 0;
    return static_cast<uint64_t>(info.st_ino);
}
}

ConnectionReaper::ConnectionReaper(std::chrono::milliseconds limit)
    : m_limit(limit)
    , m_thread([this] { Run(); })
{
}

ConnectionReaper::~ConnectionReaper()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void ConnectionReaper::CutAll()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Sweep(true);
}

void ConnectionReaper::Run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_wake.wait_for(lock, kSweepInterval, [this] { return m_stop; }))
        Sweep(false);
}

void ConnectionReaper::Sweep(bool all)
{
    DIR* folder = opendir("/proc/self/fd");
    if (folder == nullptr)
        return;
    const auto now = Clock::now();
    std::set<uint64_t> open;
    while (const dirent* entry = readdir(folder)) {
        char* end = nullptr;
        const long fd = std::strtol(entry->d_name, &end, 10);
        if (end == entry->d_name || *end != '\0' || fd == dirfd(folder))
            continue;
        const uint64_t inode = ConnectionInode(static_cast<int>(fd));
        if (inode == 0)
            continue;
        open.insert(inode);
        const auto seen = m_firstSeen.try_emplace(inode, now).first->second;
        // Checked again just before: the number may have gone to a new connection.
        if ((all || now - seen >= m_limit) && ConnectionInode(static_cast<int>(fd)) == inode)
            shutdown(static_cast<int>(fd), SHUT_RDWR);
    }
    closedir(folder);
    std::erase_if(m_firstSeen, [&open](const auto& item) { return !open.contains(item.first); });
}
