#pragma once

#include "RequestGate.h"

#include <httplib.h>

#include <chrono>
#include <string>

// The HTTP library's server with the connections taken in by a RequestGate:
// a worker sees a connection only once its request head is in, and serves
// one request on it (our clients read a body up to the close).
class GatedServer : public httplib::Server
{
public:
    GatedServer(std::chrono::milliseconds headWait, size_t workers);

    // As the library's binds, with a listen queue long enough that a flood
    // of connections does not make the kernel drop new ones.
    int BindToAnyPort(const std::string& host);
    bool BindToPort(const std::string& host, int port);

private:
    // The library calls this for every accepted connection.
    bool process_and_close_socket(int fd) override;
    void Serve(int fd);
    void WidenListenQueue();

    RequestGate m_gate;
};
