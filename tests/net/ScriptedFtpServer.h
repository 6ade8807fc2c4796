#pragma once

#include <functional>
#include <string>
#include <thread>
#include <vector>

// An FTP control connection on 127.0.0.1 (ephemeral port) that plays a
// script: the greeting, then one step per command line read. A step sends its
// reply, may then act on the data connection (connecting to the port the last
// PORT command announced) and sends its closing reply. After the last step it
// records commands until the client closes, or closes at once when told.
class ScriptedFtpServer
{
public:
    using DataAction = std::function<void(ScriptedFtpServer&)>;
    // How a reply goes out: all at once, or a byte at a time with a pause
    // after each; `endless` sends it again and again until the client leaves.
    struct Pace
    {
        int pauseMs = 0;
        bool endless = false;
    };
    struct Step
    {
        std::string reply;
        DataAction data = nullptr;
        std::string after = {};
        Pace pace = {};
    };
    struct Script
    {
        std::string greeting;
        std::vector<Step> steps;
        bool closeAtEnd = false;
        Pace greetingPace = {};
    };

    explicit ScriptedFtpServer(Script script);
    ScriptedFtpServer(const ScriptedFtpServer&) = delete;
    ScriptedFtpServer& operator=(const ScriptedFtpServer&) = delete;
    ~ScriptedFtpServer();

    int Port() const { return m_port; }
    // Every command line received, line end included. Waits for the session to end.
    const std::vector<std::string>& Commands();
    // What ReceiveData took in.
    const std::string& Uploaded() const { return m_uploaded; }

    // The ports announced by PORT commands so far, in order.
    const std::vector<int>& AnnouncedPorts() const { return m_announcedPorts; }
    // Connects to the last announced port from `fromAddress`; -1 when refused.
    int ConnectBack(const char* fromAddress = "127.0.0.1") const;

    // Data actions.
    static DataAction SendData(std::string bytes);
    // Sends `piece` again and again, pausing `pauseMs` after each, until the
    // client closes the data connection.
    static DataAction StreamData(std::string piece, int pauseMs);
    // Reads the data connection to its end, after waiting `pauseMs` first.
    static DataAction ReceiveData(int pauseMs = 0);
    // Takes the data connection and reads nothing from it until the client
    // closes it (or, with data stuck on the way, for `holdMs`).
    static DataAction StallData(int holdMs);

private:
    void Serve();
    bool ReadCommand(int connection, std::string& command);
    void NotePort(const std::string& command);

    Script m_script;
    int m_listener = -1;
    int m_port = 0;
    std::string m_announcedHost;
    std::vector<int> m_announcedPorts;
    std::vector<std::string> m_commands;
    std::string m_uploaded;
    std::thread m_thread;
};
