#include "VsftpdServer.h"

#include "ScriptedServer.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace {
const char* const kVsftpd = "/usr/sbin/vsftpd";

// A self-signed certificate naming 127.0.0.1, and its key.
void MakeCertificate(const std::string& certificate, const std::string& key)
{
    const std::string command = "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2"
                                " -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout '"
        + key + "' -out '" + certificate + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("openssl could not make a certificate");
}
}

VsftpdServer::VsftpdServer(Options options)
    : m_home(m_folder.PathOf("home"))
{
    std::filesystem::create_directory(m_home);
    const int port = UnusedLoopbackPort();
    std::string config = "listen=YES\nlisten_address=127.0.0.1\nlisten_port=" + std::to_string(port)
        + "\nbackground=NO\nrun_as_launching_user=YES\nseccomp_sandbox=NO\n"
          "anonymous_enable=YES\nlocal_enable=NO\nanon_root="
        + m_home
        + "\nwrite_enable=YES\nanon_upload_enable=YES\nanon_other_write_enable=YES\nanon_mkdir_write_enable=YES\n"
          "anon_umask=022\npasv_enable=YES\nport_enable="
        + (options.portEnabled ? "YES" : "NO") + "\nvsftpd_log_file=" + m_folder.PathOf("log")
        + "\nlog_ftp_protocol=YES\nxferlog_enable=YES\nxferlog_std_format=NO\n";
    if (options.tls) {
        m_certificate = m_folder.PathOf("certificate.pem");
        const std::string key = m_folder.PathOf("key.pem");
        MakeCertificate(m_certificate, key);
        config += "ssl_enable=YES\nallow_anon_ssl=YES\nforce_anon_logins_ssl=YES\nforce_anon_data_ssl=YES\n"
                  "force_local_logins_ssl=YES\nforce_local_data_ssl=YES\nrequire_ssl_reuse=YES\n"
                  "rsa_cert_file="
            + m_certificate + "\nrsa_private_key_file=" + key + "\n";
    }
    const std::string configFile = m_folder.PathOf("vsftpd.conf");
    WriteWholeFile(configFile, config);
    m_process = std::make_unique<ServerProcess>(std::vector<std::string>{kVsftpd, configFile}, port);
}

std::string VsftpdServer::Log() const
{
    return ReadWholeFile(m_folder.PathOf("log"));
}
