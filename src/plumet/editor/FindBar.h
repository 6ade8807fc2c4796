#pragma once
#include "TextSearch.h"

#include <QWidget>

class CWriterEdit;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The bar under the editor that finds text in it and, opened for
// replacing, replaces one match or all of them.
class CFindBar : public QWidget {
public:
    CFindBar(CWriterEdit& editor, QWidget* parent = nullptr);

    // Shows the bar with the find box ready; the editor's selection, when it
    // is part of one line, becomes the text to find.
    void OpenFind();
    // As OpenFind, with the replace row shown.
    void OpenReplace();
    void Close();

    void FindNext();
    void FindPrevious();
    // Replaces the selected match, then finds the next one.
    void Replace();
    void ReplaceAll();

    // What the last search or replacement said: a wrap, a miss, a count.
    QString Note() const;

private:
    void Open(bool replacing);
    void Find(bool backward);
    TextSearch::Options Options(bool backward) const;
    void SetNote(const QString& note);

    CWriterEdit& editor_;
    QLineEdit* findEdit_;
    QLineEdit* replaceEdit_;
    QCheckBox* matchCase_;
    QCheckBox* wholeWords_;
    QLabel* note_;
    QList<QWidget*> replaceRow_;
};
