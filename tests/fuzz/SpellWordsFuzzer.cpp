// The words picked out for spelling are letters in order, inside the text,
// never glued to a digit, and the same whether the text is scanned whole or
// cut at a space, as the pane scans only the part in view.
#include "FuzzCheck.h"
#include "SpellWords.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

bool IsWordCharacter(QChar c) { return c.isLetter() || c.isMark(); }

void CheckWords(const QString& text, const std::vector<TextSpan>& words)
{
    qsizetype end = 0;
    for (const TextSpan& word : words) {
        FUZZ_CHECK(word.start >= end && word.length > 0 && word.length <= kLongestCheckedWord);
        FUZZ_CHECK(word.End() <= text.size());
        FUZZ_CHECK(IsWordCharacter(text[word.start]) && IsWordCharacter(text[word.End() - 1]));
        for (qsizetype i = word.start; i < word.End(); ++i)
            FUZZ_CHECK(!text[i].isSpace() && !text[i].isDigit() && text[i] != u'@');
        FUZZ_CHECK(word.start == 0 || !text[word.start - 1].isDigit());
        FUZZ_CHECK(word.End() == text.size() || !text[word.End()].isDigit());
        end = word.End();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::vector<TextSpan> words = SpellWords(text);
    CheckWords(text, words);

    // Cut at the middle space: the two halves give the same words.
    const qsizetype cut = text.indexOf(u' ', text.size() / 2);
    if (cut < 0)
        return 0;
    std::vector<TextSpan> halves = SpellWords(QStringView(text).left(cut));
    for (TextSpan word : SpellWords(QStringView(text).mid(cut))) {
        word.start += cut;
        halves.push_back(word);
    }
    FUZZ_CHECK(halves == words);
    return 0;
}
