#include "RequestGate.h"

#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string_view>

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kEventsPerWait = 64;
// The watcher looks at the clock at least this often, so a connection
// admitted while it sleeps still expires on time.
constexpr int kLongestSleepMilliseconds = 100;

bool HeadComplete(std::string_view bytes)
{
    return bytes.find("\r\n\r\n") != std::string_view::npos || bytes.find("\n\n") != std::string_view::npos;
}
}

RequestGate::RequestGate(std::chrono::milliseconds headWait, size_t workers, Serve serve)
    : m_headWait(headWait)
    , m_serve(std::move(serve))
    , m_workers(workers)
    , m_epoll(epoll_create1(EPOLL_CLOEXEC))
    , m_stop(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = m_stop;
    epoll_ctl(m_epoll, EPOLL_CTL_ADD, m_stop, &event);
    m_watcher = std::thread([this] { Watch(); });
}

RequestGate::~RequestGate()
{
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(m_stop, &one, sizeof one);
    m_watcher.join();
    for (const auto& [fd, serial] : m_waiting)
        close(fd);
    m_workers.shutdown();
    close(m_stop);
    close(m_epoll);
}

void RequestGate::Admit(int fd)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    epoll_event event{};
    event.events = EPOLLIN | EPOLLRDHUP;
    event.data.fd = fd;
    if (epoll_ctl(m_epoll, EPOLL_CTL_ADD, fd, &event) != 0) {
        close(fd);
        return;
    }
    const uint64_t serial = m_nextSerial++;
    m_waiting[fd] = serial;
    m_deadlines.push_back({Clock::now() + m_headWait, fd, serial});
}

void RequestGate::Watch()
{
    epoll_event events[kEventsPerWait];
    for (;;) {
        int timeout = 0;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            timeout = MillisecondsToNextDeadline(Clock::now());
        }
        const int ready = epoll_wait(m_epoll, events, kEventsPerWait, timeout);
        std::lock_guard<std::mutex> lock(m_mutex);
        for (int i = 0; i < ready; ++i) {
            const int fd = events[i].data.fd;
            if (fd == m_stop)
                return;
            if (m_waiting.contains(fd))
                Look(fd, (events[i].events & (EPOLLRDHUP | EPOLLHUP | EPOLLERR)) != 0);
        }
        ExpireOld(Clock::now());
    }
}

// Hands the connection to a worker once its head is in, or once the client
// has sent all it will; closes it when the client went without a word.
void RequestGate::Look(int fd, bool peerDone)
{
    char head[kLongestHead];
    const ssize_t got = recv(fd, head, sizeof head, MSG_PEEK | MSG_DONTWAIT);
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
        return;
    const bool complete = got > 0
                          && (peerDone || static_cast<size_t>(got) == sizeof head
                              || HeadComplete({head, static_cast<size_t>(got)}));
    if (got > 0 && !complete)
        return;
    Forget(fd);
    if (complete)
        m_workers.enqueue([this, fd] { m_serve(fd); });
    else
        close(fd);
}

void RequestGate::Forget(int fd)
{
    epoll_event unused{};
    epoll_ctl(m_epoll, EPOLL_CTL_DEL, fd, &unused);
    m_waiting.erase(fd);
}

void RequestGate::ExpireOld(Clock::time_point now)
{
    while (!m_deadlines.empty() && m_deadlines.front().deadline <= now) {
        const Waiting oldest = m_deadlines.front();
        m_deadlines.pop_front();
        // The descriptor may have been served and its number given to a newer connection.
        const auto found = m_waiting.find(oldest.fd);
        if (found != m_waiting.end() && found->second == oldest.serial) {
            Forget(oldest.fd);
            close(oldest.fd);
        }
    }
}

int RequestGate::MillisecondsToNextDeadline(Clock::time_point now) const
{
    if (m_deadlines.empty())
        return kLongestSleepMilliseconds;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_deadlines.front().deadline - now).count();
    return static_cast<int>(std::clamp<long long>(left, 0, kLongestSleepMilliseconds));
}
