#include "FetchNotice.h"

#include "HttpClient.h"

#include <vector>

std::optional<std::string> FetchNotice(const std::string& contentHost, int contentPort)
{
    const std::string url = contentHost + kNoticePath;
    std::vector<char> urlText(url.begin(), url.end());  // the client edits its URL in place
    urlText.push_back('\0');

    CHttpClient client;
    client.SetPort(contentPort);
    if (client.GetToLines(urlText.data()) != 0)
        return std::nullopt;
    std::string notice;
    for (int i = 0; i < client.GetBodyLineCount(); ++i)
        notice += client.GetBodyLine(i);
    return notice;
}
