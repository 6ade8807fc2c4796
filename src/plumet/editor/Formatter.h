#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reflows plain text for e-mail: paragraphs broken into lines shorter than a
// width, one blank line between paragraphs, optionally widened into a block.
// Input line breaks are CR LF as the editor hands them out; the result is the
// text that goes back into the editor.
class CFormatter {
public:
    // Shown instead of formatting when there is no text at all.
    static constexpr std::string_view NoTextMessage =
        "No Text appears in the edit window.  Please enter some text before you wish to excercise this option.";

    CFormatter(std::int64_t width, bool blockStyle);

    // The formatted text, or nothing when `text` is empty.
    std::optional<std::string> FormatText(std::string_view text);

    // The same bytes for a text that arrives in pieces, holding no more than
    // the paragraph being read: Feed each piece in order, then Finish once.
    // Each appends to `out` the output that is final so far.
    void Feed(std::string_view piece, std::string& out);
    void Finish(std::string& out);

    // The width box's text as a number: leading white space skipped, an
    // optional sign, the digits up to the first other character; no digits
    // give 0. Values beyond the range saturate.
    static std::int64_t ReadWidth(std::string_view boxText);

private:
    // Formats every paragraph of `text` that is known to be complete and
    // returns where the unfinished rest starts. Positions past the end count
    // as characters that are neither CR nor LF only when `atEnd`.
    std::size_t FormatParagraphs(std::string_view text, std::size_t scanFrom, bool atEnd);
    void TakeOutput(std::string& out);
    void FormatParagraph(std::string_view paragraph);
    void AddWord(std::string_view word, bool hasNonAscii);
    void JustifyLine();
    void FlushLineFeeds();

    std::int64_t width_;
    bool blockStyle_;
    std::string out_;
    std::string unfinished_;  // the paragraph being read, when fed in pieces
    std::size_t pendingLineFeeds_ = 0;  // paragraph gaps not yet written out
    bool paragraphStarted_ = false;
    std::size_t lineStart_ = 0;
    std::int64_t lineCount_ = 0;  // characters on the current line, counting a space after each word
    bool firstLine_ = true;
    std::vector<std::size_t> gapEnds_;
};
