// Reading the numbers a server hands out for a transfer: replies of any
// bytes give a port that is never 0 and a size that is never negative, only
// from replies with their own code; a reply built from known numbers parses
// back to them.
#include "FtpPassiveReplies.h"
#include "FuzzCheck.h"

#include <cinttypes>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool Starts(const char* text, const char* code)
{
    return std::strncmp(text, code, 3) == 0;
}

void CheckAnyReply(const char* text)
{
    FtpPassiveAddress address;
    if (ParsePassiveReply(text, address))
        FUZZ_CHECK(address.port != 0 && Starts(text, "227"));
    uint16_t port = 0;
    if (ParseExtendedPassiveReply(text, port))
        FUZZ_CHECK(port != 0 && Starts(text, "229"));
    int64_t size = -1;
    if (ParseSizeReply(text, size))
        FUZZ_CHECK(size >= 0 && Starts(text, "213"));
}

void CheckRoundTrips(const std::uint8_t* data, std::size_t size)
{
    if (size < 8)
        return;
    char line[128];
    const uint16_t port = static_cast<uint16_t>(data[4] << 8 | data[5]);
    std::snprintf(line, sizeof line, "227 Entering Passive Mode (%u,%u,%u,%u,%u,%u).", data[0], data[1], data[2],
                  data[3], data[4], data[5]);
    FtpPassiveAddress address;
    FUZZ_CHECK(ParsePassiveReply(line, address) == (port != 0));
    if (port != 0) {
        FUZZ_CHECK(address.port == port);
        FUZZ_CHECK(std::memcmp(address.host, data, 4) == 0);
    }

    std::snprintf(line, sizeof line, "229 Entering Extended Passive Mode (%c%c%c%u%c)", '|', '|', '|', port, '|');
    uint16_t extended = 0;
    FUZZ_CHECK(ParseExtendedPassiveReply(line, extended) == (port != 0));
    FUZZ_CHECK(port == 0 || extended == port);

    uint64_t bits = 0;
    std::memcpy(&bits, data, 8);
    const auto expected = static_cast<int64_t>(bits & INT64_MAX);
    std::snprintf(line, sizeof line, "213 %" PRId64, expected);
    int64_t parsed = -1;
    FUZZ_CHECK(ParseSizeReply(line, parsed) && parsed == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const char* text = bytes.c_str();  // cut at the first NUL, as a received line is
    CheckAnyReply(text);
    // The same bytes behind each code, so the parsers see more than their prefix fails.
    for (const char* code : {"227 ", "229 ", "213 "})
        CheckAnyReply((code + bytes).c_str());
    CheckRoundTrips(data, size);
    return 0;
}
