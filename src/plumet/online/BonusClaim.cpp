#include "BonusClaim.h"

#include "HttpClient.h"
#include "ServerSettings.h"

#include <cstring>

namespace BonusClaim {
namespace {
constexpr const char* kScript = "/cgi-bin/redeem.cgi?";
// GetToLines keeps paths of up to 1199 characters.
constexpr size_t kLongestRequestPath = 1199;
constexpr size_t kRequiredFields[] = {0, 1, 2, 3, 4, 8, 9, 13};
constexpr size_t kSpacesToPlusFields[] = {0, 2, 8, 9, 10, 11, 12, 17};

bool IsUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.'
           || c == '_' || c == '~';
}

void AppendEncoded(std::string& out, const std::string& value, bool spacesToPlus)
{
    static const char kHex[] = "0123456789ABCDEF";
    for (const unsigned char c : value) {
        if (c == ' ' && spacesToPlus) {
            out += '+';
        } else if (IsUnreserved(c)) {
            out += char(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0f];
        }
    }
}
}  // namespace

bool SpacesToPlus(size_t field)
{
    for (const size_t converted : kSpacesToPlusFields)
        if (converted == field)
            return true;
    return false;
}

bool HasBlankRequiredField(const Fields& fields)
{
    for (const size_t required : kRequiredFields)
        if (fields[required].empty())
            return true;
    return false;
}

std::string Query(const Fields& fields)
{
    std::string query;
    for (size_t i = 0; i < kFieldCount; ++i) {
        if (i > 0)
            query += '&';
        query += kKeys[i];
        query += '=';
        AppendEncoded(query, fields[i], SpacesToPlus(i));
    }
    return query;
}

std::string Url(const std::string& makerHost, const std::string& query)
{
    return "http://" + makerHost + kScript + query;
}

bool FitsRequestPath(const std::string& query)
{
    return std::strlen(kScript) + query.size() <= kLongestRequestPath;
}

void Send(const ServerSettings& servers, const std::string& query)
{
    std::string url = Url(servers.makerHost, query);
    CHttpClient client;
    client.SetPort(servers.makerPort);
    client.GetToLines(url.data());
}

}  // namespace BonusClaim
