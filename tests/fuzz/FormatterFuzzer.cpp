// The formatter keeps every word in order, breaks lines within the width and
// never lets a CR or LF into a line of text, whether fed whole or in pieces;
// block style only adds spaces.
#include "Formatter.h"
#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string_view> Words(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = text.find_first_not_of(" \r\n", i);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(text.find_first_of(" \r\n", start), text.size());
        words.push_back(text.substr(start, end - start));
        i = end;
    }
    return words;
}

// Lines of the result: CR LF breaks lines, and so does the lone LF at the end.
std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n')
            continue;
        const std::size_t end = i > start && text[i - 1] == '\r' ? i - 1 : i;
        lines.push_back(text.substr(start, end - start));
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

// Counts characters no more often than the formatter does: bytes that do not
// continue a UTF-8 sequence.
std::int64_t CharactersAtMost(std::string_view line)
{
    std::int64_t count = 0;
    for (char c : line)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

void CheckLines(std::string_view result, std::int64_t width)
{
    for (std::string_view line : Lines(result)) {
        // Long runs of paragraph gaps leave a CR of their own between breaks.
        if (line.find('\r') != std::string_view::npos)
            FUZZ_CHECK(line.find_first_not_of('\r') == std::string_view::npos);
        if (!line.empty() && line.back() == ' ')
            line.remove_suffix(1);
        // A longer line is one word that does not fit any line.
        if (CharactersAtMost(line) > width - 1)
            FUZZ_CHECK(line.find(' ') == std::string_view::npos);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const bool blockStyle = data[0] & 1;
    const std::int64_t width = static_cast<std::int64_t>(data[1] % 96) - 4;
    const std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);

    const std::optional<std::string> plain = CFormatter(width, false).FormatText(text);
    FUZZ_CHECK(plain.has_value() == !text.empty());
    if (!plain)
        return 0;
    FUZZ_CHECK(Words(*plain) == Words(text));
    CheckLines(*plain, width);

    // Fed in pieces (sizes taken from the text itself), the bytes are the same.
    CFormatter streaming(width, false);
    std::string streamed;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t piece = 1 + static_cast<unsigned char>(text[at]) % 9;
        streaming.Feed(text.substr(at, piece), streamed);
        at += piece;
    }
    streaming.Finish(streamed);
    FUZZ_CHECK(streamed == *plain);

    if (blockStyle) {
        const std::optional<std::string> block = CFormatter(width, true).FormatText(text);
        FUZZ_CHECK(block.has_value());
        const std::vector<std::string_view> blockLines = Lines(*block);
        const std::vector<std::string_view> plainLines = Lines(*plain);
        FUZZ_CHECK(blockLines.size() == plainLines.size());
        for (std::size_t i = 0; i < blockLines.size(); ++i) {
            FUZZ_CHECK(Words(blockLines[i]) == Words(plainLines[i]));
            FUZZ_CHECK(blockLines[i].size() >= plainLines[i].size());
        }
        CheckLines(*block, width);
    }
    return 0;
}
