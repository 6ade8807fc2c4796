#pragma once

#include <deque>

struct ssl_ctx_st;
struct ssl_session_st;

// The client side of TLS for one session with a server: the certificates the
// system trusts, the settings every connection shares, and the sessions the
// server handed out, so that data connections can resume them.
class CTlsContext
{
public:
    CTlsContext();
    CTlsContext(const CTlsContext&) = delete;
    CTlsContext& operator=(const CTlsContext&) = delete;
    ~CTlsContext();

    // False when the library could not set up a context.
    bool Valid() const { return m_context != nullptr; }
    ssl_ctx_st* Handle() const { return m_context; }

    // The newest session to resume, owned by the caller; null when none.
    // TLS 1.3 sessions are given out once (servers accept each ticket once);
    // older ones stay for the next connection.
    ssl_session_st* TakeSession();

private:
    static int OnNewSession(struct ssl_st* ssl, ssl_session_st* session);

    ssl_ctx_st* m_context = nullptr;
    std::deque<ssl_session_st*> m_sessions;
};
