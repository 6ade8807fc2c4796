#pragma once
#include "SpellWords.h"

#include <QPlainTextEdit>

#include <cstdint>
#include <memory>
#include <vector>

class CSpellChecker;
class QMenu;
class QTextBlock;

// A plain text box with a writer's aids, none of which touches the text it
// holds: misspelled words underlined as they come into view, spelling items
// for the context menu, and the e-mail view (the system's fixed-width font
// with a faint line at the width Format Text last used).
class CWriterEdit : public QPlainTextEdit {
public:
    CWriterEdit(int maxCharacters, QWidget* parent = nullptr);
    ~CWriterEdit() override;

    int MaxCharacters() const { return maxCharacters_; }

    // Spelling is checked unless switched off; the dictionary is loaded the
    // first time a word is to be checked.
    void SetSpellChecking(bool on);
    // The misspelled words in view, as document positions, in text order.
    std::vector<TextSpan> UnderlinedWords();

    // Context menu items: suggestions, "Add to Dictionary" and "Ignore" when
    // the point (in the viewport) is on an underlined word; the font switch.
    void AddSpellingItems(QMenu& menu, const QPoint& point);
    void AddFixedWidthItem(QMenu& menu);

    bool FixedWidthFont() const { return fixedWidth_; }
    // Switches the font and remembers the choice in the user's settings.
    void SetFixedWidthFont(bool on);
    // The column of the width line: the width Format Text was last used with.
    std::int64_t WidthColumn() const { return widthColumn_; }
    void RememberFormatWidth(std::int64_t width);
    // The x of the width line in the viewport; nothing when it is not shown.
    std::optional<qreal> WidthLineX() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    CSpellChecker* Speller();
    std::vector<TextSpan> MisspelledIn(const QTextBlock& block, qsizetype from, qsizetype to);
    std::optional<TextSpan> UnderlinedWordAt(const QPoint& point);
    void ReplaceWord(const TextSpan& span, const QString& word, const QString& replacement);
    QPointF LayoutOrigin(const QTextBlock& block) const;
    void ApplyFont();
    void DrawUnderlines(QPainter& painter);
    void DrawWidthLine(QPainter& painter) const;

    int maxCharacters_;
    bool spellingOn_ = true;
    std::unique_ptr<CSpellChecker> speller_;
    bool fixedWidth_ = false;
    std::int64_t widthColumn_ = 0;
};
