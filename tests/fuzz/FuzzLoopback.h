#pragma once
#include "FuzzCheck.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

// A listening socket on 127.0.0.1 for the whole fuzz run, and taking its
// next connection.
namespace FuzzLoopback {

// The listener; its port through `port`.
inline int Listen(int& port)
{
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    FUZZ_CHECK(listener >= 0 && bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
               && listen(listener, 4) == 0
               && getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) == 0);
    port = ntohs(address.sin_port);
    return listener;
}

// The next connection within 5 s, or -1.
inline int Accept(int listener)
{
    pollfd watched{listener, POLLIN, 0};
    if (poll(&watched, 1, 5000) != 1)
        return -1;
    return accept(listener, nullptr, nullptr);
}

}  // namespace FuzzLoopback
