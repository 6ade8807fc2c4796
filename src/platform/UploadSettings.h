#pragma once
#include <optional>
#include <string>

// What the Upload Gateway keeps for the user between runs, in the user's
// "Brindlewick/Stamper.ini": how to open data connections, whether plain FTP
// is refused, the sites where passive mode worked and the certificate
// fingerprints the user accepted. A site is the text "host:port".
namespace UploadSettings {

// Group "Upload", value DataMode: "active" or "passive" forces that mode;
// anything else lets the client choose.
enum class DataMode { Automatic, Active, Passive };
DataMode ForcedDataMode();
// Group "Upload", value RefusePlainFtp: true when a server without TLS is refused.
bool RefusesPlainFtp();

// Group "PassiveHosts": sites that needed passive mode.
bool PassiveWorked(const std::string& site);
void RememberPassive(const std::string& site);

// Group "Certificates": the SHA-256 fingerprint accepted for each site.
std::optional<std::string> TrustedFingerprint(const std::string& site);
void TrustFingerprint(const std::string& site, const std::string& fingerprint);

}  // namespace UploadSettings
