#pragma once

#include "SecureChannel.h"

#include <cstdint>
#include <string>

class CTlsContext;

// One TLS client connection over a connected socket it does not own. The
// handshake completes whatever the certificate; the caller reads the verdict
// (Verified) and decides. Reads and writes block as the socket does.
class CTlsChannel : public CSecureChannel
{
public:
    CTlsChannel() = default;
    CTlsChannel(const CTlsChannel&) = delete;
    CTlsChannel& operator=(const CTlsChannel&) = delete;
    ~CTlsChannel() override;

    // `hostName` is what the user typed (a name or a dotted address); the
    // certificate must name it. With `resume`, offers a session the server
    // gave before. 0 done; 1 could not be set up; 2 handshake failed.
    int Connect(CTlsContext& context, int socket, const char* hostName, bool resume = false);
    // The certificate chains to a trusted one and names the host.
    bool Verified() const { return m_verified; }
    // The server certificate's SHA-256, as colon-separated upper-case hex pairs.
    const std::string& Fingerprint() const { return m_fingerprint; }

    int32_t Read(char* buffer, int32_t capacity) override;
    int32_t Write(const char* data, int32_t length) override;
    int32_t Pending() const override;
    void SayGoodbye() override;
    // Says goodbye if not yet done and frees the connection.
    void Close();

private:
    // Session tickets the server sent and nobody read: reading them keeps
    // them for later connections, and a close with unread bytes would reset
    // the connection, which can cut the server's end of an upload short.
    void TakeInWaitingRecords();

    struct ssl_st* m_ssl = nullptr;
    int m_socket = -1;
    bool m_saidGoodbye = false;
    bool m_verified = false;
    std::string m_fingerprint;
};
