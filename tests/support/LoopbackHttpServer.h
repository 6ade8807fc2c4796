#pragma once
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// An HTTP server on 127.0.0.1 (ephemeral port) for tests: one connection at
// a time, each request answered with the bytes the responder returns for
// its request line, then the connection is closed. Records every request.
class LoopbackHttpServer {
public:
    using Responder = std::function<std::string(const std::string& requestLine)>;
    // Writes the answer to the connection itself (in pieces, slowly, without
    // end...); the connection is closed when it returns.
    using Writer = std::function<void(int connection, const std::string& requestLine)>;

    explicit LoopbackHttpServer(Responder responder);
    explicit LoopbackHttpServer(Writer writer);
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;
    ~LoopbackHttpServer();

    int Port() const { return port_; }
    // Request lines as received, without the line end, in order.
    std::vector<std::string> Requests() const;
    // Only the targets of the request lines ("/kestrin/a.txt").
    std::vector<std::string> Targets() const;

    // A complete answer: status line, Content-Type, Content-Length, body.
    static std::string Answer(const std::string& body, const std::string& status = "200 OK",
                              const std::string& contentType = "text/plain");

    // Sends all of `bytes`; false when the peer has gone.
    static bool SendAll(int connection, const std::string& bytes);

private:
    void Serve();
    void Handle(int connection);

    Writer writer_;
    int listener_ = -1;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

