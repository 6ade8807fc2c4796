#pragma once

#include <signal.h>

// Writes that cannot say MSG_NOSIGNAL (TLS writes through write(2)): while one
// of these lives, a peer that has gone away raises SIGPIPE, which is held back
// and taken without effect, so the write fails instead of the program.
class HeldSigpipe
{
public:
    HeldSigpipe();
    HeldSigpipe(const HeldSigpipe&) = delete;
    HeldSigpipe& operator=(const HeldSigpipe&) = delete;
    ~HeldSigpipe();

private:
    sigset_t m_pipe{};
    sigset_t m_before{};
    bool m_wasPending = false;
};
