#pragma once

#include <cstdint>

// What the socket transport needs of an encrypted channel. The transport
// reaches TLS only through this, so a program that never starts TLS (plumet)
// links no TLS library and does not load one at every start.
class CSecureChannel
{
public:
    virtual ~CSecureChannel() = default;

    // As recv and send: bytes, 0 at the peer's close, -1 on error.
    virtual int32_t Read(char* buffer, int32_t capacity) = 0;
    virtual int32_t Write(const char* data, int32_t length) = 0;
    // Decrypted bytes waiting to be read.
    virtual int32_t Pending() const = 0;
    // Takes in what the server already sent and says goodbye (close_notify), once.
    virtual void SayGoodbye() = 0;
};
