#pragma once

#include "ServerProcess.h"
#include "TempFolder.h"

#include <memory>
#include <string>

// vsftpd on 127.0.0.1 (a free port) with a config file of its own, run in the
// foreground as the user who starts it, never as a service. It serves the
// folder Home() to anonymous users with full rights (rename and delete too).
// With TLS, logins and data must use it, data connections must resume the
// control connection's session, and the certificate is a fresh self-signed one
// for 127.0.0.1 (CertificateFile()).
class VsftpdServer
{
public:
    static constexpr const char* kUser = "anonymous";
    static constexpr const char* kPassword = "publisher@example.com";

    struct Options
    {
        bool portEnabled = true;
        bool tls = false;
    };

    explicit VsftpdServer(Options options);

    // 0 when the server did not start.
    int Port() const { return m_process ? m_process->Port() : 0; }
    const std::string& Home() const { return m_home; }
    const std::string& CertificateFile() const { return m_certificate; }
    // The commands and replies the server logged so far.
    std::string Log() const;

private:
    TempFolder m_folder;
    std::string m_home;
    std::string m_certificate;
    std::unique_ptr<ServerProcess> m_process;
};
