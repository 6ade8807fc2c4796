// Writes about BYTES (default 16 MiB) of a deterministic RTF document to
// standard output, shaped like a long formatted notice: font and colour
// tables, an info group, paragraphs with alignment and indents, runs in bold,
// italic, underline, colour and sizes, groups, \'hh and \u characters, tabs
// and line breaks.
#include "GeneratorInput.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr const char* Words[] = {
    "the", "newsletter", "of", "a", "publisher", "sends", "articles", "and", "ads", "to",
    "readers", "every", "week", "with", "tips", "on", "marketing", "your", "business", "online",
    "caf\\'e9", "r\\'e9sum\\'e9", "\\u8364?5", "e-mail", "format", "premium", "free", "library",
};
constexpr std::size_t WordCount = sizeof Words / sizeof Words[0];

constexpr const char* Styles[] = {"\\b ", "\\i ", "\\ul ", "\\cf1 ", "\\cf2\\fs28 ", "\\f1 "};
constexpr std::size_t StyleCount = sizeof Styles / sizeof Styles[0];

constexpr const char* Paragraphs[] = {"\\pard\\ql ", "\\pard\\qj\\sa120 ", "\\pard\\qc\\sb60 ",
                                      "\\pard\\li720\\fi-360\\tx720 "};
constexpr std::size_t ParagraphCount = sizeof Paragraphs / sizeof Paragraphs[0];

} // namespace

int main(int argc, char** argv)
{
    const std::size_t target = RequestedBytes(argc, argv);
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}\r\n"
        "{\\colortbl;\\red106\\green44\\blue112;\\red0\\green96\\blue0;}\r\n"
        "{\\info{\\title Generated notice}{\\author bench}}\r\n";
    rtf.reserve(target + 1024);
    while (rtf.size() < target) {
        rtf += Paragraphs[NextRandom() % ParagraphCount];
        const std::uint64_t words = 20 + NextRandom() % 60;
        for (std::uint64_t word = 0; word < words; ++word) {
            const std::uint64_t pick = NextRandom();
            if (pick % 9 == 0) {
                rtf += '{';
                rtf += Styles[(pick >> 8) % StyleCount];
                rtf += Words[(pick >> 16) % WordCount];
                rtf += "} ";
            } else {
                rtf += Words[(pick >> 16) % WordCount];
                rtf += pick % 31 == 1 ? "\\tab " : pick % 37 == 2 ? "\\line\r\n" : " ";
            }
        }
        rtf += "\\par\r\n";
    }
    rtf += "}\r\n";
    return std::fwrite(rtf.data(), 1, rtf.size(), stdout) == rtf.size() ? 0 : 1;
}
