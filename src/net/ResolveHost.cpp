#include "ResolveHost.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstring>

namespace {
const char* SkipUserName(const char* host)
{
    for (size_t i = std::strlen(host); i > 1; --i) {
        if (host[i - 1] == '@')
            return host + i;
    }
    return host;
}
}

int ResolveHost(const char* host, char* out, int capacity)
{
    const char* name = host != nullptr ? SkipUserName(host) : nullptr;
    // An empty name is never looked up: it can only be unknown.
    if (name == nullptr || name[0] == '\0')
        return 2;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(name, nullptr, &hints, &found) != 0 || found == nullptr)
        return 2;

    char dotted[INET_ADDRSTRLEN] = {};
    const auto* address = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    const bool formatted = inet_ntop(AF_INET, &address->sin_addr, dotted, sizeof dotted) != nullptr;
    freeaddrinfo(found);
    if (!formatted)
        return 2;

    const size_t needed = std::strlen(dotted) + 1;
    if (out == nullptr || capacity <= 0 || needed > static_cast<size_t>(capacity))
        return 1;
    std::memcpy(out, dotted, needed);
    return 0;
}
