#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// A server started as a child process that announces its port on stdout.
// The port is the number that follows `portMarker` in the first lines printed.
// Stopped with SIGTERM when destroyed.
class ServerProcess
{
public:
    ServerProcess(const std::vector<std::string>& argv, const std::string& portMarker);
    // A server told its port: ready once that port on 127.0.0.1 takes connections.
    ServerProcess(const std::vector<std::string>& argv, int port);
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;
    ~ServerProcess();

    // 0 when the announcement did not come.
    int Port() const { return m_port; }
    pid_t Pid() const { return m_pid; }
    // The first line the server printed.
    const std::string& FirstLine() const { return m_firstLine; }
    // Sends SIGTERM and waits; the raw wait status, or -1 when already stopped.
    int Stop();
    // Waits for a process that ends by itself; the raw wait status, or -1.
    int Wait();

private:
    // Starts the program with its stdout into m_output; false when it could not.
    bool Spawn(const std::vector<std::string>& argv);

    pid_t m_pid = -1;
    int m_output = -1;
    int m_port = 0;
    std::string m_firstLine;
};
