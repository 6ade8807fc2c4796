#include "MakerPages.h"

#include "SettingsStore.h"

#include <QByteArray>

namespace {
// The value was read into a 16-byte buffer with its terminator.
constexpr size_t kLongestSponsor = 15;
}  // namespace

std::string MakerPageAddress(const ServerSettings& servers, const std::string& path)
{
    std::string address = "http://" + servers.makerHost;
    if (servers.makerPort != 80)
        address.append(":").append(std::to_string(servers.makerPort));
    return address + path;
}

std::string ReferralQuery(const std::optional<std::string>& sponsor)
{
    if (!sponsor || sponsor->size() > kLongestSponsor)
        return "SponsorID";
    const QByteArray value(sponsor->data(), qsizetype(sponsor->size()));
    return std::string("IM").append(value.toPercentEncoding().toStdString());
}

std::string ReferralPageAddress(const ServerSettings& servers)
{
    const auto sponsor = SettingsStore::ReadMachineText("Brindlewick", "Sitecraftor Business Edition",
                                                        "Star", "Sponsor");
    return MakerPageAddress(servers, "/cgi-quillfen/sspregister_click.cgi?" + ReferralQuery(sponsor));
}
