#pragma once
#include "ServerSettings.h"

#include <optional>
#include <string>

// Pages on the maker's web server: "http://" + host, ":" + port only when the
// port is not 80, then the path.
std::string MakerPageAddress(const ServerSettings& servers, const std::string& path);

// The query of the partner sign-up page: "IM" + the Sponsor value,
// percent-encoded, when a value of at most 15 bytes was read; else "SponsorID".
std::string ReferralQuery(const std::optional<std::string>& sponsor);

// The sign-up page with the query made from the Sponsor value of the
// Sitecraftor product's machine-wide settings.
std::string ReferralPageAddress(const ServerSettings& servers);
