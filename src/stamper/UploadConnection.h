#pragma once
#include "FtpSessionOptions.h"
#include "UploadSettings.h"

#include <optional>
#include <string>

// The Upload Gateway's choices and texts about a connection: the data mode
// to start with, what to do about a certificate the system does not vouch
// for, and the line that tells the user how the connection runs.

// A forced mode is kept to; otherwise active first, unless passive already
// worked for the site.
FtpDataMode StartingDataMode(UploadSettings::DataMode forced, bool passiveWorkedBefore);

enum class CertificateVerdict { Trusted, Unknown, Changed };
// `remembered` is the fingerprint the user accepted for the site, if any.
CertificateVerdict JudgeCertificate(const std::optional<std::string>& remembered, const std::string& presented);
// The Yes/No question for an Unknown or Changed certificate.
std::string CertificateQuestion(CertificateVerdict verdict, const std::string& site, const std::string& fingerprint);

// "FTP over TLS, passive mode" and the like.
std::string ConnectionStatus(bool secure, bool dataProtected, bool passive);
