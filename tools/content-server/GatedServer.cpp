#include "GatedServer.h"

#include "ConnectionStream.h"

#include <sys/socket.h>
#include <unistd.h>

namespace {
// Waits of a worker on its connection, each read and each write.
constexpr auto kReadWait = std::chrono::seconds(5);
constexpr auto kWriteWait = std::chrono::seconds(5);

// Handing a connection to the gate takes no time, so the accepting thread
// does it itself.
class AcceptingThreadQueue : public httplib::TaskQueue
{
public:
    void enqueue(std::function<void()> task) override { task(); }
    void shutdown() override {}
};
}

GatedServer::GatedServer(std::chrono::milliseconds headWait, size_t workers)
    : m_gate(headWait, workers, [this](int fd) { Serve(fd); })
{
    new_task_queue = [] { return new AcceptingThreadQueue; };
}

int GatedServer::BindToAnyPort(const std::string& host)
{
    const int port = bind_to_any_port(host);
    WidenListenQueue();
    return port;
}

bool GatedServer::BindToPort(const std::string& host, int port)
{
    const bool bound = bind_to_port(host, port);
    WidenListenQueue();
    return bound;
}

void GatedServer::WidenListenQueue()
{
    if (svr_sock_ != INVALID_SOCKET)
        ::listen(svr_sock_, SOMAXCONN);
}

bool GatedServer::process_and_close_socket(int fd)
{
    m_gate.Admit(fd);
    return true;
}

void GatedServer::Serve(int fd)
{
    {
        ConnectionStream stream(fd, kReadWait, kWriteWait);
        bool closed = false;
        process_request(stream, true, closed, nullptr);
    }
    shutdown(fd, SHUT_RDWR);
    close(fd);
}
