#include "ServerProcess.h"

#include "ScriptedServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace {
constexpr int kAnnounceLimitMs = 10000;

std::string ReadLine(int fd, int limitMs)
{
    std::string line;
    char c = 0;
    pollfd watched{fd, POLLIN, 0};
    while (poll(&watched, 1, limitMs) > 0 && read(fd, &c, 1) == 1 && c != '\n')
        line += c;
    return line;
}

bool TakesConnections(int port)
{
    const int fd = ConnectToLoopback(port);
    if (fd >= 0)
        close(fd);
    return fd >= 0;
}
}

ServerProcess::ServerProcess(const std::vector<std::string>& argv, const std::string& portMarker)
{
    if (!Spawn(argv))
        return;
    // Servers may print other lines first (python prints nothing else; keep reading a few).
    for (int i = 0; i < 3 && m_port == 0; ++i) {
        const std::string line = ReadLine(m_output, kAnnounceLimitMs);
        if (i == 0)
            m_firstLine = line;
        const size_t at = line.find(portMarker);
        if (at != std::string::npos)
            m_port = std::atoi(line.c_str() + at + portMarker.size());
    }
}

ServerProcess::ServerProcess(const std::vector<std::string>& argv, int port)
{
    if (!Spawn(argv))
        return;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(kAnnounceLimitMs);
    while (std::chrono::steady_clock::now() < limit) {
        if (TakesConnections(port)) {
            m_port = port;
            return;
        }
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

bool ServerProcess::Spawn(const std::vector<std::string>& argv)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);

    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const int spawned = posix_spawn(&m_pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    m_output = pipeEnds[0];
    if (spawned != 0)
        m_pid = -1;
    return spawned == 0;
}

ServerProcess::~ServerProcess()
{
    Stop();
    close(m_output);
}

int ServerProcess::Stop()
{
    if (m_pid > 0)
        kill(m_pid, SIGTERM);
    return Wait();
}

int ServerProcess::Wait()
{
    if (m_pid <= 0)
        return -1;
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
    return status;
}
