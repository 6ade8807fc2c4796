// Writes BYTES (default 16 MiB) of deterministic plain text to standard
// output: paragraphs of 3 to 12 lines of words, LF line ends, a blank line
// between paragraphs, a few accented words among them.
#include "GeneratorInput.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr const char* Words[] = {
    "the", "newsletter", "of", "a", "publisher", "sends", "articles", "and", "ads", "to",
    "readers", "every", "week", "with", "tips", "on", "marketing", "your", "business", "online",
    "subscribers", "grow", "when", "content", "is", "useful", "short", "clear", "issue", "sponsor",
    "caf\xC3\xA9", "r\xC3\xA9sum\xC3\xA9", "na\xC3\xAFve", "e-mail", "format", "width", "text", "line",
    "paragraph", "justified", "block", "style", "characters", "plain", "library", "premium", "free",
};
constexpr std::size_t WordCount = sizeof Words / sizeof Words[0];

} // namespace

int main(int argc, char** argv)
{
    const std::size_t target = RequestedBytes(argc, argv);
    std::string text;
    text.reserve(target + 1024);
    while (text.size() < target) {
        const std::uint64_t lines = 3 + NextRandom() % 10;
        for (std::uint64_t line = 0; line < lines; ++line) {
            const std::size_t lineLimit = 55 + NextRandom() % 20;
            std::size_t used = 0;
            while (used < lineLimit) {
                const char* word = Words[NextRandom() % WordCount];
                if (used > 0) {
                    text += ' ';
                    ++used;
                }
                text += word;
                used += std::char_traits<char>::length(word);
            }
            text += '\n';
        }
        text += '\n';
    }
    text.resize(target);
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() ? 0 : 1;
}
