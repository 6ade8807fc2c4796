#include "FtpPassiveReplies.h"

#include <cstdint>
#include <cstring>

namespace {

bool HasCode(const char* line, const char* code)
{
    return line != nullptr && std::strncmp(line, code, 3) == 0 && (line[3] == ' ' || line[3] == '\0');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Decimal digits at `at` up to `limit`; advances past them. False when there
// are none or the value passes the limit.
bool ReadNumber(const char*& at, int64_t limit, int64_t& value)
{
    if (!IsDigit(*at))
        return false;
    value = 0;
    for (; IsDigit(*at); ++at) {
        const int digit = *at - '0';
        if (value > (limit - digit) / 10)
            return false;
        value = value * 10 + digit;
    }
    return true;
}

}  // namespace

bool ParsePassiveReply(const char* line, FtpPassiveAddress& out)
{
    if (!HasCode(line, "227"))
        return false;
    const char* at = line + 3;
    while (*at != '\0' && !IsDigit(*at))
        ++at;
    int64_t numbers[6] = {};
    for (int i = 0; i < 6; ++i) {
        if (i > 0 && *at++ != ',')
            return false;
        if (!ReadNumber(at, 255, numbers[i]))
            return false;
    }
    const auto port = static_cast<uint16_t>(numbers[4] * 256 + numbers[5]);
    if (port == 0)
        return false;
    for (int i = 0; i < 4; ++i)
        out.host[i] = static_cast<uint8_t>(numbers[i]);
    out.port = port;
    return true;
}

bool ParseExtendedPassiveReply(const char* line, uint16_t& port)
{
    if (!HasCode(line, "229"))
        return false;
    const char* at = std::strchr(line + 3, '(');
    if (at == nullptr)
        return false;
    const char delimiter = *++at;
    if (delimiter < 33 || delimiter > 126 || IsDigit(delimiter))
        return false;
    // No network protocol or address: the data connection goes to the control peer.
    if (at[1] != delimiter || at[2] != delimiter)
        return false;
    at += 3;
    int64_t value = 0;
    if (!ReadNumber(at, 65535, value) || value == 0)
        return false;
    if (at[0] != delimiter || at[1] != ')')
        return false;
    port = static_cast<uint16_t>(value);
    return true;
}

bool ParseSizeReply(const char* line, int64_t& size)
{
    if (!HasCode(line, "213") || line[3] != ' ')
        return false;
    const char* at = line + 4;
    int64_t value = 0;
    if (!ReadNumber(at, INT64_MAX, value))
        return false;
    while (*at == ' ')
        ++at;
    if (*at != '\0')
        return false;
    size = value;
    return true;
}
