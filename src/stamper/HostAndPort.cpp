#include "HostAndPort.h"

namespace {
constexpr int32_t FtpPort = 21;
constexpr int32_t HighestPort = 65535;
}  // namespace

bool SplitHostAndPort(const std::string& text, std::string& host, int32_t& port)
{
    const size_t colon = text.rfind(':');
    host = text.substr(0, colon);
    port = FtpPort;
    if (colon == std::string::npos)
        return true;
    const std::string digits = text.substr(colon + 1);
    if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    port = std::stoi(digits);
    return port >= 1 && port <= HighestPort;
}
