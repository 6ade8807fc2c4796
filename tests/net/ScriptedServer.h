#pragma once

#include <atomic>
#include <future>
#include <string>
#include <thread>
#include <vector>

// A one-connection TCP server on 127.0.0.1 (ephemeral port) that plays a
// script: optionally reads the request up to its blank line, then sends each
// step's bytes followed by its pause, then closes or holds the connection open.
class ScriptedServer
{
public:
    struct Step
    {
        std::string bytes;
        int pauseMs = 0;
    };
    struct Script
    {
        std::vector<Step> steps;
        bool readRequest = true;
        // Keep the connection open after the last step until the client closes.
        bool holdOpen = false;
    };

    explicit ScriptedServer(Script script);
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;
    ~ScriptedServer();

    int Port() const { return m_port; }
    // The request bytes as received (empty when none came within a few seconds).
    std::string Request();

private:
    void Serve();
    int AcceptOne();
    std::string ReadRequest(int connection);
    void HoldUntilClosed(int connection);

    Script m_script;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::promise<std::string> m_requestPromise;
    std::future<std::string> m_request;
    std::thread m_thread;
};

// A loopback port that was bound and released, so nothing listens on it.
int UnusedLoopbackPort();
// A socket bound to 127.0.0.1 on a free port, not yet listening; its port through `port`.
int BindLoopback(int& port);
// A listening socket on 127.0.0.1 with the given backlog; its port through `port`.
int ListenOnLoopback(int backlog, int& port);
// A socket connected to 127.0.0.1:port, or -1.
int ConnectToLoopback(int port);
