#pragma once

#include <functional>
#include <string>

// How a CFtpClient opens its data connections. Active: we listen and the
// server connects (PORT); passive: the server listens and we connect (EPSV,
// else PASV). The "First" modes switch to the other mode once when the first
// fails, and keep the one that worked.
enum class FtpDataMode { ActiveOnly, ActiveFirst, PassiveFirst, PassiveOnly };

// Whether the client asks for FTP over TLS (AUTH TLS before USER).
enum class FtpSecurity { Plain, TlsWhenOffered, TlsRequired };

// A server certificate that the system's trusted certificates do not vouch
// for (or that names another host). The check answers true to connect.
struct FtpCertificate
{
    std::string host;
    std::string fingerprint;
};
using FtpCertificateCheck = std::function<bool(const FtpCertificate&)>;
