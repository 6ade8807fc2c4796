#include "TlsChannel.h"

#include "HeldSigpipe.h"
#include "IsDottedAddress.h"
#include "TlsContext.h"

#include <fcntl.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdio>

namespace {

std::string Sha256Of(X509* certificate)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (certificate == nullptr || X509_digest(certificate, EVP_sha256(), digest, &length) != 1)
        return {};
    std::string text;
    for (unsigned int i = 0; i < length; ++i) {
        char pair[4];
        std::snprintf(pair, sizeof pair, i == 0 ? "%02X" : ":%02X", digest[i]);
        text += pair;
    }
    return text;
}

}  // namespace

CTlsChannel::~CTlsChannel()
{
    Close();
}

int CTlsChannel::Connect(CTlsContext& context, int socket, const char* hostName, bool resume)
{
    Close();
    if (!context.Valid() || socket < 0 || hostName == nullptr)
        return 1;
    m_ssl = SSL_new(context.Handle());
    if (m_ssl == nullptr || SSL_set_fd(m_ssl, socket) != 1)
        return 1;
    X509_VERIFY_PARAM* check = SSL_get0_param(m_ssl);
    if (IsDottedAddress(hostName)) {
        X509_VERIFY_PARAM_set1_ip_asc(check, hostName);
    } else {
        X509_VERIFY_PARAM_set1_host(check, hostName, 0);
        SSL_set_tlsext_host_name(m_ssl, hostName);
    }
    if (SSL_SESSION* session = resume ? context.TakeSession() : nullptr; session != nullptr) {
        SSL_set_session(m_ssl, session);
        SSL_SESSION_free(session);
    }
    // Let the handshake finish whatever the certificate: the verdict is read below.
    SSL_set_verify(m_ssl, SSL_VERIFY_NONE, nullptr);
    const HeldSigpipe guard;
    if (SSL_connect(m_ssl) != 1) {
        SSL_free(m_ssl);
        m_ssl = nullptr;
        return 2;
    }
    X509* certificate = SSL_get1_peer_certificate(m_ssl);
    m_fingerprint = Sha256Of(certificate);
    m_verified = certificate != nullptr && SSL_get_verify_result(m_ssl) == X509_V_OK;
    X509_free(certificate);
    m_socket = socket;
    return 0;
}

int32_t CTlsChannel::Read(char* buffer, int32_t capacity)
{
    if (m_ssl == nullptr || capacity <= 0)
        return -1;
    const int got = SSL_read(m_ssl, buffer, capacity);
    if (got > 0)
        return got;
    return SSL_get_error(m_ssl, got) == SSL_ERROR_ZERO_RETURN ? 0 : -1;
}

int32_t CTlsChannel::Write(const char* data, int32_t length)
{
    if (m_ssl == nullptr || length <= 0)
        return -1;
    const HeldSigpipe guard;
    const int sent = SSL_write(m_ssl, data, length);
    return sent > 0 ? sent : -1;
}

int32_t CTlsChannel::Pending() const
{
    return m_ssl != nullptr ? SSL_pending(m_ssl) : 0;
}

void CTlsChannel::SayGoodbye()
{
    if (m_ssl == nullptr || m_saidGoodbye)
        return;
    m_saidGoodbye = true;
    TakeInWaitingRecords();
    const HeldSigpipe guard;
    SSL_shutdown(m_ssl);
}

void CTlsChannel::Close()
{
    if (m_ssl == nullptr)
        return;
    SayGoodbye();
    SSL_free(m_ssl);
    m_saidGoodbye = false;
    m_socket = -1;
    m_ssl = nullptr;
    m_verified = false;
    m_fingerprint.clear();
}

void CTlsChannel::TakeInWaitingRecords()
{
    const int flags = fcntl(m_socket, F_GETFL, 0);
    if (flags < 0 || fcntl(m_socket, F_SETFL, flags | O_NONBLOCK) != 0)
        return;
    char ignored[4096];
    while (SSL_read(m_ssl, ignored, sizeof ignored) > 0) {
    }
    ERR_clear_error();
    fcntl(m_socket, F_SETFL, flags);
}
