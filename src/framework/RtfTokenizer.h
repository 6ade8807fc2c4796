#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

// One lexical piece of an RTF stream.
struct RtfToken {
    enum class Kind {
        GroupStart,     // {
        GroupEnd,       // }
        ControlWord,    // \word or \word-12; `text` is the word
        ControlSymbol,  // \ followed by one non-letter; `symbol` is that byte
        HexByte,        // \'hh; `parameter` is the byte
        Text,           // a run of plain bytes; `text` is the run
        Binary,         // the raw bytes after \binN; `text` is the data
        End,
    };
    Kind kind = Kind::End;
    std::string_view text;
    int32_t parameter = 0;
    bool hasParameter = false;
    char symbol = 0;
};

// Splits RTF bytes into tokens, front to back, in one pass without
// allocation. Line ends between tokens carry no meaning and are dropped;
// a backslash before a line end is a paragraph mark (\par). Malformed
// pieces are read as far as they make sense; nothing is ever rejected.
class CRtfTokenizer {
public:
    explicit CRtfTokenizer(std::string_view input) : m_input(input) {}

    RtfToken Next();

    // Longest control word name kept; longer names are cut to this length.
    static constexpr std::size_t kMaxWordLength = 32;

private:
    RtfToken ReadControl();
    RtfToken ReadText();
    bool AtEnd() const { return m_pos >= m_input.size(); }

    std::string_view m_input;
    std::size_t m_pos = 0;
};
