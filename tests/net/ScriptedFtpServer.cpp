#include "ScriptedFtpServer.h"

#include "ScriptedServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace {
constexpr int kAcceptLimitMs = 15000;
// A session that says nothing for this long is over.
constexpr int kIdleLimitMs = 20000;

// Endless sending stops after this long even if the client never leaves.
constexpr auto kStreamLimit = std::chrono::seconds(90);

bool SendAll(int connection, const std::string& bytes)
{
    return bytes.empty() || send(connection, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
}

bool Readable(int fd, int ms)
{
    pollfd watched{fd, POLLIN, 0};
    return poll(&watched, 1, ms) > 0;
}

// Sends `bytes` at `pace`; false once the client has gone.
bool SendPaced(int connection, const std::string& bytes, ScriptedFtpServer::Pace pace)
{
    const auto stop = std::chrono::steady_clock::now() + kStreamLimit;
    do {
        if (pace.pauseMs == 0) {
            if (!SendAll(connection, bytes))
                return false;
            continue;
        }
        for (char byte : bytes) {
            if (!SendAll(connection, std::string(1, byte)))
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(pace.pauseMs));
        }
    } while (pace.endless && std::chrono::steady_clock::now() < stop);
    return true;
}
}

ScriptedFtpServer::ScriptedFtpServer(Script script)
    : m_script(std::move(script))
{
    m_listener = ListenOnLoopback(4, m_port);
    m_thread = std::thread([this] { Serve(); });
}

ScriptedFtpServer::~ScriptedFtpServer()
{
    if (m_thread.joinable())
        m_thread.join();
    close(m_listener);
}

const std::vector<std::string>& ScriptedFtpServer::Commands()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_commands;
}

void ScriptedFtpServer::Serve()
{
    if (!Readable(m_listener, kAcceptLimitMs))
        return;
    const int connection = accept(m_listener, nullptr, nullptr);
    if (connection < 0)
        return;
    SendPaced(connection, m_script.greeting, m_script.greetingPace);
    std::string command;
    size_t next = 0;
    while ((next < m_script.steps.size() || !m_script.closeAtEnd) && ReadCommand(connection, command)) {
        m_commands.push_back(command);
        NotePort(command);
        if (next == m_script.steps.size())
            continue;
        const Step& step = m_script.steps[next++];
        SendPaced(connection, step.reply, step.pace);
        if (step.data)
            step.data(*this);
        SendAll(connection, step.after);
    }
    close(connection);
}

bool ScriptedFtpServer::ReadCommand(int connection, std::string& command)
{
    command.clear();
    char c = 0;
    while (command.size() < 2 || command.compare(command.size() - 2, 2, "\r\n") != 0) {
        if (!Readable(connection, kIdleLimitMs) || recv(connection, &c, 1, 0) != 1)
            return false;
        command += c;
    }
    return true;
}

void ScriptedFtpServer::NotePort(const std::string& command)
{
    int h[4] = {};
    int p[2] = {};
    if (std::sscanf(command.c_str(), "PORT %d,%d,%d,%d,%d,%d", &h[0], &h[1], &h[2], &h[3], &p[0], &p[1]) != 6)
        return;
    m_announcedHost = std::to_string(h[0]) + "." + std::to_string(h[1]) + "." + std::to_string(h[2]) + "."
                      + std::to_string(h[3]);
    m_announcedPorts.push_back(p[0] * 256 + p[1]);
}

int ScriptedFtpServer::ConnectBack(const char* fromAddress) const
{
    if (m_announcedPorts.empty())
        return -1;
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    inet_pton(AF_INET, fromAddress, &local.sin_addr);
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(static_cast<uint16_t>(m_announcedPorts.back()));
    inet_pton(AF_INET, m_announcedHost.c_str(), &target.sin_addr);
    if (bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0
        || connect(fd, reinterpret_cast<sockaddr*>(&target), sizeof target) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

ScriptedFtpServer::DataAction ScriptedFtpServer::SendData(std::string bytes)
{
    return [bytes](ScriptedFtpServer& server) {
        const int fd = server.ConnectBack();
        SendAll(fd, bytes);
        close(fd);
    };
}

ScriptedFtpServer::DataAction ScriptedFtpServer::StreamData(std::string piece, int pauseMs)
{
    return [piece, pauseMs](ScriptedFtpServer& server) {
        const int fd = server.ConnectBack();
        SendPaced(fd, piece, Pace{pauseMs, true});
        close(fd);
    };
}

ScriptedFtpServer::DataAction ScriptedFtpServer::StallData(int holdMs)
{
    return [holdMs](ScriptedFtpServer& server) {
        const int fd = server.ConnectBack();
        // The client's close arrives as a hang-up, unless unread data holds it up.
        pollfd watched{fd, POLLRDHUP, 0};
        poll(&watched, 1, holdMs);
        close(fd);
    };
}

ScriptedFtpServer::DataAction ScriptedFtpServer::ReceiveData(int pauseMs)
{
    return [pauseMs](ScriptedFtpServer& server) {
        const int fd = server.ConnectBack();
        std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
        char chunk[64 * 1024];
        for (ssize_t got = 0; fd >= 0 && Readable(fd, kIdleLimitMs) && (got = recv(fd, chunk, sizeof chunk, 0)) > 0;)
            server.m_uploaded.append(chunk, static_cast<size_t>(got));
        close(fd);
    };
}
