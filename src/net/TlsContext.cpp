#include "TlsContext.h"

#include <openssl/ssl.h>

namespace {
// A few tickets are plenty: each data connection takes the newest.
constexpr size_t kSessionsKept = 8;
}

CTlsContext::CTlsContext()
    : m_context(SSL_CTX_new(TLS_client_method()))
{
    if (m_context == nullptr)
        return;
    SSL_CTX_set_min_proto_version(m_context, TLS1_2_VERSION);
    // The system's trusted certificates (SSL_CERT_FILE and SSL_CERT_DIR may point elsewhere).
    SSL_CTX_set_default_verify_paths(m_context);
    // Sessions come to OnNewSession; data connections resume them by hand.
    SSL_CTX_set_app_data(m_context, this);
    SSL_CTX_set_session_cache_mode(m_context, SSL_SESS_CACHE_CLIENT | SSL_SESS_CACHE_NO_INTERNAL);
    SSL_CTX_sess_set_new_cb(m_context, &CTlsContext::OnNewSession);
    SSL_CTX_set_mode(m_context, SSL_MODE_AUTO_RETRY);
}

CTlsContext::~CTlsContext()
{
    for (SSL_SESSION* session : m_sessions)
        SSL_SESSION_free(session);
    SSL_CTX_free(m_context);
}

SSL_SESSION* CTlsContext::TakeSession()
{
    while (!m_sessions.empty()) {
        SSL_SESSION* session = m_sessions.back();
        if (SSL_SESSION_is_resumable(session) != 1) {
            m_sessions.pop_back();
            SSL_SESSION_free(session);
            continue;
        }
        if (SSL_SESSION_get_protocol_version(session) >= TLS1_3_VERSION)
            m_sessions.pop_back();
        else
            SSL_SESSION_up_ref(session);
        return session;
    }
    return nullptr;
}

int CTlsContext::OnNewSession(SSL* ssl, SSL_SESSION* session)
{
    auto* self = static_cast<CTlsContext*>(SSL_CTX_get_app_data(SSL_get_SSL_CTX(ssl)));
    self->m_sessions.push_back(session);
    if (self->m_sessions.size() > kSessionsKept) {
        SSL_SESSION_free(self->m_sessions.front());
        self->m_sessions.pop_front();
    }
    // The reference is ours now.
    return 1;
}
