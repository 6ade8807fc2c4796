#pragma once
#include <string>
#include <string_view>

// A file name or path as UTF-8 text a person can read. Valid UTF-8 comes back
// as it is; a byte that is not part of valid UTF-8 shows as the Latin-1
// character of its value (names written in that encoding are the likeliest
// source of such bytes), a C1 control byte (0x80 to 0x9F) as U+FFFD. The
// text stands for the bytes on screen only: it names another file.
std::string ReadableName(std::string_view bytes);
