#pragma once
#include <optional>
#include <string>

struct ServerSettings;

// The newest released version as the content server publishes it: the last
// line of /kestrin/plversion.txt, its line end removed for display. Nothing
// when the file could not be fetched as text.
std::optional<std::string> FetchLatestVersion(const ServerSettings& servers);

// The maker's download page: "http://" + product site + "/download.htm".
std::string DownloadPageUrl(const ServerSettings& servers);
