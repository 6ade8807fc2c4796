#include "TextSearch.h"

#include <QTextDocument>

namespace TextSearch {

namespace {

QTextDocument::FindFlags Flags(const Options& options)
{
    QTextDocument::FindFlags flags;
    if (options.matchCase)
        flags |= QTextDocument::FindCaseSensitively;
    if (options.wholeWords)
        flags |= QTextDocument::FindWholeWords;
    if (options.backward)
        flags |= QTextDocument::FindBackward;
    return flags;
}

qsizetype Length(const QTextDocument& document) { return document.characterCount() - 1; }

}  // namespace

Found FindNext(const QTextDocument& document, const QString& text, const QTextCursor& from,
               const Options& options)
{
    if (text.isEmpty())
        return {};
    const QTextCursor match = document.find(text, from, Flags(options));
    if (!match.isNull())
        return {match, false};
    QTextCursor restart(const_cast<QTextDocument*>(&document));
    if (options.backward)
        restart.movePosition(QTextCursor::End);
    const QTextCursor wrapped = document.find(text, restart, Flags(options));
    return {wrapped, !wrapped.isNull()};
}

bool IsMatch(const QTextCursor& selection, const QString& text, const Options& options)
{
    if (!selection.hasSelection() || text.isEmpty())
        return false;
    QTextCursor start(selection);
    start.setPosition(selection.selectionStart());
    const QTextCursor match = selection.document()->find(text, start, Flags({options.matchCase, options.wholeWords, false}));
    return match.selectionStart() == selection.selectionStart() && match.selectionEnd() == selection.selectionEnd();
}

int ReplaceAll(QTextDocument& document, const QString& text, const QString& replacement,
               const Options& options, qsizetype maxCharacters)
{
    if (text.isEmpty())
        return 0;
    const qsizetype growth = replacement.size() - text.size();
    qsizetype length = Length(document);
    const QTextDocument::FindFlags flags = Flags({options.matchCase, options.wholeWords, false});
    QTextCursor edit(&document);
    QTextCursor at(&document);
    int count = 0;
    for (;;) {
        QTextCursor match = document.find(text, at, flags);
        if (match.isNull() || length + growth > maxCharacters)
            break;
        if (count == 0)
            edit.beginEditBlock();
        edit.setPosition(match.selectionStart());
        edit.setPosition(match.selectionEnd(), QTextCursor::KeepAnchor);
        edit.insertText(replacement);
        length += growth;
        at = edit;
        ++count;
    }
    if (count > 0)
        edit.endEditBlock();
    return count;
}

}  // namespace TextSearch
