#pragma once

#include <cstdint>

// Reading the replies that carry numbers for a transfer: where to connect in
// passive mode (227, 229) and a file's size (213). Servers are not trusted:
// anything out of range or malformed is refused.

struct FtpPassiveAddress
{
    uint8_t host[4] = {};
    uint16_t port = 0;
};

// "227 Entering Passive Mode (h1,h2,h3,h4,p1,p2)". The six numbers may stand
// anywhere after the code, with or without parentheses.
bool ParsePassiveReply(const char* line, FtpPassiveAddress& out);
// "229 Entering Extended Passive Mode (|||port|)", any printable delimiter.
bool ParseExtendedPassiveReply(const char* line, uint16_t& port);
// "213 12345": the size in bytes.
bool ParseSizeReply(const char* line, int64_t& size);
