#pragma once
#include <QStringView>

#include <vector>

// A stretch of the text, in the text box's own units (UTF-16).
struct TextSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype End() const { return start + length; }
    bool operator==(const TextSpan&) const = default;
};

// Words longer than this are never looked up; no dictionary holds them.
inline constexpr qsizetype kLongestCheckedWord = 100;

// The words of a text whose spelling is worth checking: runs of letters,
// keeping an apostrophe between letters ("don't"). Web and e-mail addresses,
// words touching a digit or an underscore ("3rd", "item_2") and words longer
// than kLongestCheckedWord are left out. Spans are in text order.
std::vector<TextSpan> SpellWords(QStringView text);
