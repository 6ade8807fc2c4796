#pragma once
#include <QString>
#include <QTextCursor>

class QTextDocument;

// Finding and replacing in a text document, without widgets.
namespace TextSearch {

struct Options {
    bool matchCase = false;
    bool wholeWords = false;
    bool backward = false;
};

struct Found {
    QTextCursor match;     // null when the text is nowhere
    bool wrapped = false;  // found only after going round the end (or the top)
};

// The next match after `from` (before it when searching backward; a
// selection in `from` is skipped), going round the end when nothing follows.
Found FindNext(const QTextDocument& document, const QString& text, const QTextCursor& from,
               const Options& options);

// Whether `selection` is exactly a match of `text`.
bool IsMatch(const QTextCursor& selection, const QString& text, const Options& options);

// Replaces every match, front to back, as one undoable edit; a replacement
// that would make the document longer than `maxCharacters` is not made.
// Returns the number of replacements.
int ReplaceAll(QTextDocument& document, const QString& text, const QString& replacement,
               const Options& options, qsizetype maxCharacters);

}  // namespace TextSearch
