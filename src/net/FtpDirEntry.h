#pragma once

#include <cstdint>

// One parsed line of a server's folder listing.
struct FtpDirEntry
{
    // 255 characters and the terminator; empty when the line names nothing.
    char name[256] = {};
    int32_t size = 0;
    int32_t day = 1;
    int32_t month = 1;
    int32_t year = 1900;
    // As listed: DOS-style listings give a 12-hour figure.
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t isFolder = 0;
};
