// The only part of the socket transport that names the TLS channel: programs
// that never start TLS leave this file, and OpenSSL with it, out of their link.
#include "SocketClient.h"

#include "TlsChannel.h"

int CSocketClient::StartTls(CTlsContext& context, const char* hostName, bool resume)
{
    if (m_socket == -1 || m_tls)
        return 1;
    if (Buffered() > 0)
        return 2;
    auto channel = std::make_unique<CTlsChannel>();
    if (channel->Connect(context, m_socket, hostName, resume) != 0)
        return 2;
    m_tls = std::move(channel);
    return 0;
}

// StartTls is the only way in: every channel here is a CTlsChannel.
const CTlsChannel* CSocketClient::Tls() const
{
    return static_cast<const CTlsChannel*>(m_tls.get());
}
