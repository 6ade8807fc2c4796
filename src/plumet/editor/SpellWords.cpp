#include "SpellWords.h"

namespace {

bool IsWordCharacter(QChar c) { return c.isLetter() || c.isMark(); }

bool IsApostrophe(QChar c) { return c == u'\'' || c == u'\u2019'; }

// A word glued to one of these is a code, a number or a name in a program.
bool SpoilsWord(QChar c) { return c.isDigit() || c == u'_'; }

// Pieces of an address are not words of the language.
bool IsAddress(QStringView token)
{
    return token.contains(u'@') || token.contains(u"://")
           || token.startsWith(u"www.", Qt::CaseInsensitive);
}

void AddWordsOfToken(QStringView text, qsizetype from, qsizetype to, std::vector<TextSpan>& words)
{
    qsizetype i = from;
    while (i < to) {
        if (!IsWordCharacter(text[i])) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < to) {
            if (IsWordCharacter(text[i]))
                ++i;
            else if (IsApostrophe(text[i]) && i + 1 < to && IsWordCharacter(text[i + 1]))
                i += 2;
            else
                break;
        }
        const bool spoiled = (start > from && SpoilsWord(text[start - 1])) || (i < to && SpoilsWord(text[i]));
        if (!spoiled && i - start <= kLongestCheckedWord)
            words.push_back({start, i - start});
    }
}

}  // namespace

std::vector<TextSpan> SpellWords(QStringView text)
{
    std::vector<TextSpan> words;
    qsizetype i = 0;
    const qsizetype size = text.size();
    while (i < size) {
        if (text[i].isSpace()) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < size && !text[i].isSpace())
            ++i;
        if (!IsAddress(text.mid(start, i - start)))
            AddWordsOfToken(text, start, i, words);
    }
    return words;
}
