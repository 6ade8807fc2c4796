#include "ConnectionStream.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

namespace {
using GetName = int (*)(int, sockaddr*, socklen_t*);

void AddressOf(int fd, GetName getName, std::string& ip, int& port)
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    char text[INET_ADDRSTRLEN] = {};
    if (getName(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0 || address.sin_family != AF_INET
        || inet_ntop(AF_INET, &address.sin_addr, text, sizeof text) == nullptr)
        return;
    ip = text;
    port = ntohs(address.sin_port);
}
}

ConnectionStream::ConnectionStream(int fd, std::chrono::milliseconds readWait, std::chrono::milliseconds writeWait)
    : m_fd(fd)
    , m_readWait(readWait)
    , m_writeWait(writeWait)
{
}

bool ConnectionStream::WaitFor(short events, std::chrono::milliseconds wait) const
{
    pollfd watched{m_fd, events, 0};
    int ready = 0;
    do
        ready = poll(&watched, 1, static_cast<int>(wait.count()));
    while (ready < 0 && errno == EINTR);
    return ready > 0 && (watched.revents & events) != 0;
}

bool ConnectionStream::is_readable() const
{
    return WaitFor(POLLIN, m_readWait);
}

bool ConnectionStream::is_writable() const
{
    return WaitFor(POLLOUT, m_writeWait);
}

ssize_t ConnectionStream::read(char* data, size_t size)
{
    if (!is_readable())
        return -1;
    ssize_t got = 0;
    do
        got = recv(m_fd, data, size, 0);
    while (got < 0 && errno == EINTR);
    return got;
}

ssize_t ConnectionStream::write(const char* data, size_t size)
{
    if (!is_writable())
        return -1;
    ssize_t sent = 0;
    do
        sent = send(m_fd, data, size, MSG_NOSIGNAL);
    while (sent < 0 && errno == EINTR);
    return sent;
}

void ConnectionStream::get_remote_ip_and_port(std::string& ip, int& port) const
{
    AddressOf(m_fd, getpeername, ip, port);
}

void ConnectionStream::get_local_ip_and_port(std::string& ip, int& port) const
{
    AddressOf(m_fd, getsockname, ip, port);
}
