// Reading what an FTP server sends: a listing line of any bytes gives a name
// of at most 255 characters and fields in their ranges, a reply code has at
// most three digits, and a line built around a known name parses back to it.
#include "FtpParsing.h"
#include "FuzzCheck.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

constexpr int32_t kThisYear = 2026;

void CheckEntry(const FtpDirEntry& entry)
{
    FUZZ_CHECK(std::strlen(entry.name) <= 255);
    FUZZ_CHECK(entry.isFolder == 0 || entry.isFolder == 1);
}

// The input as a name a listing can carry: no NUL or line break, and no
// leading space (spaces before the name separate it from the date).
std::string AsName(const std::string& bytes)
{
    std::string name;
    for (char c : bytes)
        name += c == '\0' || c == '\r' || c == '\n' ? '_' : c;
    return name.substr(std::min(name.find_first_not_of(' '), name.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const char* text = bytes.c_str(); // cut at the first NUL, as a received line is

    const int code = ReplyCode(text);
    FUZZ_CHECK(code >= 0 && code <= 999);

    const FtpDirEntry unix = ParseUnixLine(text, kThisYear);
    CheckEntry(unix);
    FUZZ_CHECK(unix.month >= 1 && unix.month <= 12);

    const FtpDirEntry dos = ParseDosLine(text);
    CheckEntry(dos);
    // Two digits of year: 1970 to 2069, or the default when the date is too
    // long to be one.
    FUZZ_CHECK(dos.year == 1900 || (dos.year >= 1970 && dos.year <= 2069));

    const std::string name = AsName(bytes);
    if (name.empty())
        return 0;
    const std::string kept = name.substr(0, 255);
    const FtpDirEntry file = ParseUnixLine(("-rw-r--r--   1 owner group  4711 Jan 15 10:30 " + name).c_str(), kThisYear);
    FUZZ_CHECK(kept == file.name);
    FUZZ_CHECK(file.size == 4711 && file.month == 1 && file.day == 15 && file.year == kThisYear);
    FUZZ_CHECK(file.hour == 10 && file.minute == 30 && file.isFolder == 0);

    const FtpDirEntry folder = ParseDosLine(("01-15-99  10:30AM       <DIR>          " + name).c_str());
    FUZZ_CHECK(kept == folder.name);
    FUZZ_CHECK(folder.isFolder == 1 && folder.size == 0 && folder.year == 1999);
    return 0;
}
