#include "UploadConnection.h"

FtpDataMode StartingDataMode(UploadSettings::DataMode forced, bool passiveWorkedBefore)
{
    switch (forced) {
    case UploadSettings::DataMode::Active:
        return FtpDataMode::ActiveOnly;
    case UploadSettings::DataMode::Passive:
        return FtpDataMode::PassiveOnly;
    case UploadSettings::DataMode::Automatic:
        break;
    }
    return passiveWorkedBefore ? FtpDataMode::PassiveFirst : FtpDataMode::ActiveFirst;
}

CertificateVerdict JudgeCertificate(const std::optional<std::string>& remembered, const std::string& presented)
{
    if (!remembered)
        return CertificateVerdict::Unknown;
    return *remembered == presented ? CertificateVerdict::Trusted : CertificateVerdict::Changed;
}

std::string CertificateQuestion(CertificateVerdict verdict, const std::string& site, const std::string& fingerprint)
{
    if (verdict == CertificateVerdict::Changed)
        return "Warning: the certificate of " + site
            + " is not the one you accepted before.  Someone may be listening in on the connection."
              "\n\nNew SHA-256 fingerprint:\n"
            + fingerprint + "\n\nConnect anyway and trust the new certificate from now on?";
    return "The certificate of " + site + " cannot be verified by this computer."
        + "\n\nSHA-256 fingerprint:\n" + fingerprint
        + "\n\nConnect anyway and trust this certificate for the site from now on?";
}

std::string ConnectionStatus(bool secure, bool dataProtected, bool passive)
{
    std::string status = !secure ? "Plain FTP" : dataProtected ? "FTP over TLS" : "FTP over TLS (data not encrypted)";
    return status + (passive ? ", passive mode" : ", active mode");
}
