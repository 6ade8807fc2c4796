#pragma once

#include "FtpDirEntry.h"

#include <cstdint>

// Reading the texts an FTP server sends: reply lines and listing lines.

// The number the first three characters of a reply line begin with; 0 when
// the line does not start with a digit.
int ReplyCode(const char* line);

// A line such as "drwxr-xr-x 2 owner group 4096 Jan 15 10:30 name".
// `currentYear` stands for a listing that gives a time instead of a year.
FtpDirEntry ParseUnixLine(const char* line, int32_t currentYear);
// A line such as "01-15-99  10:30AM  <DIR>  name".
FtpDirEntry ParseDosLine(const char* line);
