#include "VersionCheck.h"

#include "HttpClient.h"
#include "ServerSettings.h"

std::optional<std::string> FetchLatestVersion(const ServerSettings& servers)
{
    std::string url = servers.contentHost + "/kestrin/plversion.txt";
    CHttpClient client;
    client.SetPort(servers.contentPort);
    if (client.GetToLines(url.data()) != 0)
        return std::nullopt;
    const int count = client.GetBodyLineCount();
    if (count == 0)
        return std::string();
    std::string last = client.GetBodyLine(count - 1);
    while (!last.empty() && (last.back() == '\n' || last.back() == '\r'))
        last.pop_back();
    return last;
}

std::string DownloadPageUrl(const ServerSettings& servers)
{
    return "http://" + servers.productSite + "/download.htm";
}
