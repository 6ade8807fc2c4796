#include "Formatter.h"

#include "TextReplace.h"

#include <array>
#include <cctype>
#include <cstring>
#include <limits>

namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Bytes that end a word: the space, and CR and LF which stand for one.
constexpr auto EndsWord = [] {
    std::array<bool, 256> table {};
    table[' '] = table['\r'] = table['\n'] = true;
    return table;
}();

bool IsContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

// Bytes taken by the character at `i`: a well-formed UTF-8 sequence is one
// character; any other byte (stray continuation, other 8-bit text) counts alone.
std::size_t CharacterSize(std::string_view s, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(s[i]);
    std::size_t size = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        size = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        size = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        size = 4;
    if (size == 1 || i + size > s.size())
        return 1;
    for (std::size_t k = 1; k < size; ++k)
        if (!IsContinuationByte(static_cast<unsigned char>(s[i + k])))
            return 1;
    return size;
}

std::int64_t CharacterCount(std::string_view s)
{
    std::int64_t count = 0;
    for (std::size_t i = 0; i < s.size(); ++count)
        i += static_cast<unsigned char>(s[i]) < 0x80 ? 1 : CharacterSize(s, i);
    return count;
}

} // namespace

CFormatter::CFormatter(std::int64_t width, bool blockStyle)
    : width_(width)
    , blockStyle_(blockStyle)
{
}

std::optional<std::string> CFormatter::FormatText(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    out_.clear();
    out_.reserve(text.size() + text.size() / 8 + 16);
    pendingLineFeeds_ = 0;
    unfinished_.clear();

    const std::size_t rest = FormatParagraphs(text, 0, true);
    if (rest < text.size()) {
        FormatParagraph(text.substr(rest));
        pendingLineFeeds_ += 1;
    }
    FlushLineFeeds();
    return std::move(out_);
}

void CFormatter::Feed(std::string_view piece, std::string& out)
{
    // A paragraph that began in an earlier piece is joined to this one; else
    // the piece is read where it is.
    const bool joined = !unfinished_.empty();
    std::size_t scanFrom = 0;
    if (joined) {
        // Positions this close to the old end could not be decided yet.
        scanFrom = unfinished_.size() > 3 ? unfinished_.size() - 3 : 0;
        unfinished_ += piece;
    }
    const std::string_view text = joined ? std::string_view(unfinished_) : piece;
    const std::size_t rest = FormatParagraphs(text, scanFrom, false);
    if (joined)
        unfinished_.erase(0, rest);
    else
        unfinished_.assign(piece.substr(rest));
    TakeOutput(out);
}

void CFormatter::Finish(std::string& out)
{
    const std::size_t rest = FormatParagraphs(unfinished_, unfinished_.size() > 3 ? unfinished_.size() - 3 : 0, true);
    if (rest < unfinished_.size()) {
        FormatParagraph(std::string_view(unfinished_).substr(rest));
        pendingLineFeeds_ += 1;
    }
    unfinished_.clear();
    FlushLineFeeds();
    TakeOutput(out);
}

void CFormatter::TakeOutput(std::string& out)
{
    if (out.empty())
        out.swap(out_);
    else
        out += out_;
    out_.clear();
}

std::size_t CFormatter::FormatParagraphs(std::string_view text, std::size_t scanFrom, bool atEnd)
{
    const std::size_t n = text.size();
    std::size_t start = 0;
    std::size_t i = scanFrom;
    while (i < n) {
        if (!IsLineBreak(text[i])) {
            ++i;
            continue;
        }
        std::size_t breakSize = 0;
        if (text[i] == '\n' && i + 1 < n && text[i + 1] == '\n')
            breakSize = 2;
        else if (i + 3 < n && IsLineBreak(text[i + 1]) && IsLineBreak(text[i + 2]) && IsLineBreak(text[i + 3]))
            breakSize = 4;
        else if (!atEnd && i + 3 >= n)
            break;  // the next piece decides
        if (breakSize == 0) {
            ++i;
            continue;
        }
        FormatParagraph(text.substr(start, i - start));
        pendingLineFeeds_ += 2;
        i += breakSize;
        start = i;
    }
    return start;
}

// Paragraph gaps become blank lines in the editor's CR LF convention: three
// passes over each run of LF characters, longest pattern first. A formatted
// paragraph neither starts nor ends with LF, so each run of gaps can be
// rewritten on its own as it is finished.
void CFormatter::FlushLineFeeds()
{
    if (pendingLineFeeds_ == 0)
        return;
    std::string run(pendingLineFeeds_, '\n');
    pendingLineFeeds_ = 0;
    run = ReplaceAll(run, "\n\n\n\n", "\r\n\r\n");
    run = ReplaceAll(run, "\n\n\n", "\r\n\r\n");
    run = ReplaceAll(run, "\n\n", "\r\n\r\n");
    out_ += run;
}

void CFormatter::FormatParagraph(std::string_view paragraph)
{
    paragraphStarted_ = false;
    lineCount_ = 0;
    firstLine_ = true;

    // Every space ends a word, even an empty one; a CR LF pair, a lone CR
    // and a lone LF each stand for one space.
    const std::size_t n = paragraph.size();
    std::size_t wordStart = 0;
    unsigned char highBits = 0;
    std::size_t i = 0;
    while (i < n) {
        const auto c = static_cast<unsigned char>(paragraph[i]);
        if (!EndsWord[c]) {
            highBits |= c;
            ++i;
            continue;
        }
        AddWord(paragraph.substr(wordStart, i - wordStart), highBits & 0x80);
        highBits = 0;
        i += (c == '\r' && i + 1 < n && paragraph[i + 1] == '\n') ? 2 : 1;
        wordStart = i;
    }
    if (wordStart < n)
        AddWord(paragraph.substr(wordStart), highBits & 0x80);
}

void CFormatter::AddWord(std::string_view word, bool hasNonAscii)
{
    const std::int64_t length = hasNonAscii ? CharacterCount(word) : static_cast<std::int64_t>(word.size());
    const bool resultEmpty = !paragraphStarted_;
    if (resultEmpty) {
        FlushLineFeeds();
        lineStart_ = out_.size();
        paragraphStarted_ = true;
    }
    if (lineCount_ + length < width_) {
        out_ += word;
        out_ += ' ';
        lineCount_ += length + 1;
        return;
    }
    if (!resultEmpty)
        out_.pop_back();
    if (blockStyle_)
        JustifyLine();
    out_ += "\r\n";
    lineStart_ = out_.size();
    firstLine_ = false;
    out_ += word;
    out_ += ' ';
    lineCount_ = length + 1;
}

// Widens the finished line toward the width: the missing characters go into
// the gaps between words one at a time from the left, and every time the
// right end is passed one turn is lost. The first line is measured with the
// CR of its break, later lines also with the LF of the break before them.
void CFormatter::JustifyLine()
{
    if (width_ <= 0)
        return;
    const std::int64_t visible = lineCount_ > 0 ? lineCount_ - 1 : 0;
    const std::int64_t turns = width_ - visible - (firstLine_ ? 1 : 2);
    if (turns <= 0)
        return;

    gapEnds_.clear();
    const std::size_t end = out_.size();
    for (std::size_t i = lineStart_; i < end; ++i)
        if (out_[i] == ' ' && (i + 1 == end || out_[i + 1] != ' '))
            gapEnds_.push_back(i + 1);
    if (gapEnds_.empty())
        return;

    // Widen in place from the right: each piece moves by the spaces that go
    // into the gaps on its left.
    const auto gaps = static_cast<std::int64_t>(gapEnds_.size());
    const std::int64_t each = turns / (gaps + 1);
    const std::int64_t gapsWithOneMore = turns % (gaps + 1);
    auto shift = static_cast<std::size_t>(each * gaps + gapsWithOneMore);
    out_.resize(end + shift);
    char* text = out_.data();
    std::size_t pieceEnd = end;
    for (std::int64_t gap = gaps - 1; gap >= 0; --gap) {
        const std::size_t pieceStart = gapEnds_[static_cast<std::size_t>(gap)];
        const auto extra = static_cast<std::size_t>(each + (gap < gapsWithOneMore ? 1 : 0));
        std::memmove(text + pieceStart + shift, text + pieceStart, pieceEnd - pieceStart);
        shift -= extra;
        std::memset(text + pieceStart + shift, ' ', extra);
        pieceEnd = pieceStart;
    }
}

std::int64_t CFormatter::ReadWidth(std::string_view boxText)
{
    std::size_t i = 0;
    while (i < boxText.size() && std::isspace(static_cast<unsigned char>(boxText[i])))
        ++i;
    bool negative = false;
    if (i < boxText.size() && (boxText[i] == '+' || boxText[i] == '-'))
        negative = boxText[i++] == '-';

    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (; i < boxText.size() && boxText[i] >= '0' && boxText[i] <= '9'; ++i) {
        const int digit = boxText[i] - '0';
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
    }
    return negative ? -value : value;
}
