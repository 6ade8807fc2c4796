#pragma once

#include <httplib.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

// Holds each new connection until its request line and headers are in, and
// only then hands it to a worker. A client that connects and sends nothing,
// or drips its request a byte at a time, costs a descriptor and never a
// worker, so complete requests are served at once however many such clients
// there are. A connection whose head is not in within the head wait is closed.
class RequestGate
{
public:
    using Serve = std::function<void(int fd)>;

    // `serve` runs on one of `workers` threads and closes the connection.
    RequestGate(std::chrono::milliseconds headWait, size_t workers, Serve serve);
    RequestGate(const RequestGate&) = delete;
    RequestGate& operator=(const RequestGate&) = delete;
    // Closes the connections still waiting and lets the workers finish.
    ~RequestGate();

    // Takes the connection over.
    void Admit(int fd);

    // The most of a request head looked at; a longer head is served as it is
    // and refused by the HTTP library.
    static constexpr size_t kLongestHead = 16 * 1024;

private:
    struct Waiting {
        std::chrono::steady_clock::time_point deadline;
        int fd;
        uint64_t serial;
    };

    void Watch();
    void Look(int fd, bool peerDone);
    void Forget(int fd);
    void ExpireOld(std::chrono::steady_clock::time_point now);
    int MillisecondsToNextDeadline(std::chrono::steady_clock::time_point now) const;

    const std::chrono::milliseconds m_headWait;
    const Serve m_serve;
    httplib::ThreadPool m_workers;
    const int m_epoll;
    const int m_stop;  // an eventfd that stops the watcher
    std::mutex m_mutex;
    std::map<int, uint64_t> m_waiting;  // fd -> its admission's serial
    std::deque<Waiting> m_deadlines;     // in admission order, so by deadline
    uint64_t m_nextSerial = 0;
    std::thread m_watcher;
};
