#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>

// Bounds how long any connection of this process may stay open: a client that
// drips its request a byte at a time would otherwise hold a worker as long as
// it likes. The HTTP library owns the sockets, so they are found among the
// process's open files; listening sockets are left alone.
class ConnectionReaper
{
public:
    explicit ConnectionReaper(std::chrono::milliseconds limit);
    ConnectionReaper(const ConnectionReaper&) = delete;
    ConnectionReaper& operator=(const ConnectionReaper&) = delete;
    ~ConnectionReaper();

    // Shuts down every open connection now, so the workers serving them end.
    void CutAll();

private:
    void Run();
    // Cuts connections older than the limit (all of them with `all`).
    void Sweep(bool all);

    const std::chrono::milliseconds m_limit;
    std::map<uint64_t, std::chrono::steady_clock::time_point> m_firstSeen;  // by socket inode
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};
