#include "HeldSigpipe.h"

#include <pthread.h>

#include <ctime>

HeldSigpipe::HeldSigpipe()
{
    sigemptyset(&m_pipe);
    sigaddset(&m_pipe, SIGPIPE);
    sigset_t pending;
    m_wasPending = sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &m_pipe, &m_before);
}

HeldSigpipe::~HeldSigpipe()
{
    sigset_t pending;
    // One that was pending before is not ours to take.
    if (!m_wasPending && sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1) {
        const timespec now{};
        sigtimedwait(&m_pipe, nullptr, &now);
    }
    pthread_sigmask(SIG_SETMASK, &m_before, nullptr);
}
