// Reading what an FTP server sends: a stream of any bytes cuts into the same
// lines however it arrives, each line the stream's bytes up to a CR LF, cut
// to the line capacity; a listing line of any bytes gives a name of at most
// 255 characters and fields in their ranges, a reply code has at most three
// digits, and a line built around a known name parses back to it.
#include "FtpLineSplitter.h"
#include "FtpParsing.h"
#include "FuzzCheck.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

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

// A stream's complete lines and its unfinished last line, as their readers
// see them: text up to the first NUL.
struct Lines
{
    std::vector<std::string> complete;
    std::optional<std::string> unfinished;
    bool operator==(const Lines&) const = default;
};

std::string AsText(const std::string& bytes)
{
    return bytes.substr(0, bytes.find('\0'));
}

// The lines as the protocol defines them: the bytes before each CR LF, kept
// up to the capacity.
Lines ExpectedLines(const std::string& stream)
{
    constexpr size_t kKept = CFtpLineSplitter::kLineCapacity - 1;
    Lines lines;
    size_t start = 0;
    for (size_t end; (end = stream.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.complete.push_back(AsText(stream.substr(start, std::min(end - start, kKept))));
    if (start < stream.size())
        lines.unfinished = AsText(stream.substr(start, kKept));
    return lines;
}

// The splitter's lines for `stream` fed in pieces whose sizes come from `seed`.
Lines SplitLines(const std::string& stream, unsigned seed)
{
    CFtpLineSplitter splitter;
    Lines lines;
    size_t at = 0;
    while (at < stream.size()) {
        seed = seed * 1103515245u + 12345u;
        const size_t end = at + std::min<size_t>(stream.size() - at, 1 + (seed >> 16) % 5000);
        while (at < end) {
            at += splitter.Feed(stream.data() + at, end - at);
            if (splitter.LineComplete())
                lines.complete.emplace_back(splitter.TakeLine());
        }
    }
    if (splitter.LineStarted())
        lines.unfinished = splitter.TakeLine();
    return lines;
}

void CheckLines(const std::string& stream)
{
    const Lines expected = ExpectedLines(stream);
    for (unsigned seed : {1u, 7u})
        FUZZ_CHECK(SplitLines(stream, seed) == expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckLines(bytes);
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
