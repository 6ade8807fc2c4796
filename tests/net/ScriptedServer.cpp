#include "ScriptedServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace {
constexpr int kPollSliceMs = 50;
constexpr int kAcceptLimitMs = 15000;
constexpr int kRequestLimitMs = 3000;

bool Readable(int fd, int ms)
{
    pollfd watched{fd, POLLIN, 0};
    return poll(&watched, 1, ms) > 0;
}
}

int BindLoopback(int& port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("cannot bind on loopback");
    port = ntohs(address.sin_port);
    return fd;
}

int ConnectToLoopback(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
        return fd;
    if (fd >= 0)
        close(fd);
    return -1;
}

int ListenOnLoopback(int backlog, int& port)
{
    const int fd = BindLoopback(port);
    if (listen(fd, backlog) != 0)
        throw std::runtime_error("cannot listen on loopback");
    return fd;
}

int UnusedLoopbackPort()
{
    int port = 0;
    close(BindLoopback(port));
    return port;
}

ScriptedServer::ScriptedServer(Script script)
    : m_script(std::move(script))
    , m_request(m_requestPromise.get_future())
{
    m_listener = ListenOnLoopback(4, m_port);
    m_thread = std::thread([this] { Serve(); });
}

ScriptedServer::~ScriptedServer()
{
    m_stop = true;
    m_thread.join();
    close(m_listener);
}

std::string ScriptedServer::Request()
{
    if (m_request.wait_for(std::chrono::seconds(20)) != std::future_status::ready)
        return {};
    return m_request.get();
}

void ScriptedServer::Serve()
{
    const int connection = AcceptOne();
    if (connection < 0) {
        m_requestPromise.set_value({});
        return;
    }
    m_requestPromise.set_value(m_script.readRequest ? ReadRequest(connection) : std::string());
    for (const Step& step : m_script.steps) {
        if (m_stop)
            break;
        if (!step.bytes.empty())
            send(connection, step.bytes.data(), step.bytes.size(), MSG_NOSIGNAL);
        std::this_thread::sleep_for(std::chrono::milliseconds(step.pauseMs));
    }
    if (m_script.holdOpen)
        HoldUntilClosed(connection);
    close(connection);
}

int ScriptedServer::AcceptOne()
{
    for (int waited = 0; waited < kAcceptLimitMs && !m_stop; waited += kPollSliceMs) {
        if (Readable(m_listener, kPollSliceMs))
            return accept(m_listener, nullptr, nullptr);
    }
    return -1;
}

std::string ScriptedServer::ReadRequest(int connection)
{
    std::string request;
    char chunk[512];
    for (int waited = 0; waited < kRequestLimitMs && request.find("\r\n\r\n") == std::string::npos;) {
        if (!Readable(connection, kPollSliceMs)) {
            waited += kPollSliceMs;
            continue;
        }
        const ssize_t got = recv(connection, chunk, sizeof chunk, 0);
        if (got <= 0)
            break;
        request.append(chunk, static_cast<size_t>(got));
    }
    return request;
}

void ScriptedServer::HoldUntilClosed(int connection)
{
    char chunk[512];
    while (!m_stop) {
        if (Readable(connection, kPollSliceMs) && recv(connection, chunk, sizeof chunk, 0) <= 0)
            return;
    }
}
