#include "LoopbackHttpServer.h"

#include "ScriptedServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace {
constexpr int kRequestLimitMs = 3000;
}  // namespace

LoopbackHttpServer::LoopbackHttpServer(Responder responder)
    : LoopbackHttpServer(Writer([responder = std::move(responder)](int connection, const std::string& line) {
          SendAll(connection, responder(line));
      }))
{
}

LoopbackHttpServer::LoopbackHttpServer(Writer writer) : writer_(std::move(writer))
{
    listener_ = ListenOnLoopback(16, port_);
    thread_ = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    // Shutting the listener down wakes the blocked accept.
    shutdown(listener_, SHUT_RDWR);
    thread_.join();
    close(listener_);
}

std::vector<std::string> LoopbackHttpServer::Requests() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

std::vector<std::string> LoopbackHttpServer::Targets() const
{
    std::vector<std::string> targets;
    for (const std::string& line : Requests()) {
        const size_t first = line.find(' ');
        const size_t last = line.rfind(' ');
        targets.push_back(first < last ? line.substr(first + 1, last - first - 1) : line);
    }
    return targets;
}

std::string LoopbackHttpServer::Answer(const std::string& body, const std::string& status,
                                       const std::string& contentType)
{
    return "HTTP/1.0 " + status + "\r\nContent-Type: " + contentType + "\r\nContent-Length: "
           + std::to_string(body.size()) + "\r\n\r\n" + body;
}

void LoopbackHttpServer::Serve()
{
    for (;;) {
        const int connection = accept(listener_, nullptr, nullptr);
        if (connection < 0)
            return;
        Handle(connection);
        close(connection);
    }
}

void LoopbackHttpServer::Handle(int connection)
{
    std::string request;
    char chunk[4096];
    for (int waited = 0; waited < kRequestLimitMs && request.find("\r\n\r\n") == std::string::npos;) {
        pollfd watched{connection, POLLIN, 0};
        if (poll(&watched, 1, 50) <= 0) {
            waited += 50;
            continue;
        }
        const ssize_t got = recv(connection, chunk, sizeof chunk, 0);
        if (got <= 0)
            break;
        request.append(chunk, size_t(got));
    }
    const std::string line = request.substr(0, request.find("\r\n"));
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(line);
    }
    writer_(connection, line);
    shutdown(connection, SHUT_WR);
}

bool LoopbackHttpServer::SendAll(int connection, const std::string& bytes)
{
    for (size_t sent = 0; sent < bytes.size();) {
        const ssize_t n = send(connection, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += size_t(n);
    }
    return true;
}
