#include "WriterEdit.h"

#include "DictionaryLookup.h"
#include "EditorSettings.h"
#include "SpellChecker.h"

#include <QAction>
#include <QFontDatabase>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {

// How far a look at the visible part of a long paragraph reaches beyond it
// for the start and end of the words it cuts.
constexpr qsizetype kWordReach = 1024;

// Positions in a block: whitespace before `from` and after `to`, unless the
// word there is too long for any dictionary anyway.
qsizetype WordStartBefore(const QString& text, qsizetype from)
{
    const qsizetype limit = std::max<qsizetype>(0, from - kWordReach);
    while (from > limit && !text[from - 1].isSpace())
        --from;
    return from;
}

qsizetype WordEndAfter(const QString& text, qsizetype to)
{
    const qsizetype limit = std::min(text.size(), to + kWordReach);
    while (to < limit && !text[to].isSpace())
        ++to;
    return to;
}

// Judged by the letters' advances: some monospaced faces do not say so.
bool IsFixedWidth(const QFont& font)
{
    const QFontMetricsF metrics(font);
    return metrics.horizontalAdvance(QLatin1Char('i')) == metrics.horizontalAdvance(QLatin1Char('W'));
}

// Where the platform names no fixed-width font (the offscreen one, some
// minimal desktops) the system's general font comes back; ask for the
// generic family instead.
QFont SystemFixedFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (IsFixedWidth(font))
        return font;
    font.setFamilies({QStringLiteral("monospace")});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

std::string Utf8(const QString& word) { return word.toUtf8().toStdString(); }

void DrawWave(QPainter& painter, qreal left, qreal right, qreal y)
{
    constexpr qreal kHalfPeriod = 2;
    constexpr qreal kAmplitude = 1.5;
    QPainterPath wave(QPointF(left, y));
    bool up = false;
    for (qreal x = left + kHalfPeriod; x < right + kHalfPeriod; x += kHalfPeriod, up = !up)
        wave.lineTo(std::min(x, right), up ? y : y + kAmplitude);
    painter.drawPath(wave);
}

}  // namespace

CWriterEdit::CWriterEdit(int maxCharacters, QWidget* parent)
    : QPlainTextEdit(parent),
      maxCharacters_(maxCharacters),
      fixedWidth_(EditorSettings::FixedWidthFont()),
      widthColumn_(EditorSettings::LastFormatWidth())
{
    ApplyFont();
}

CWriterEdit::~CWriterEdit() = default;

void CWriterEdit::SetSpellChecking(bool on)
{
    spellingOn_ = on;
    viewport()->update();
}

CSpellChecker* CWriterEdit::Speller()
{
    if (!speller_)
        speller_ = std::make_unique<CSpellChecker>(DictionaryLookup::ForUser(), CSpellChecker::UserPersonalListPath());
    return speller_.get();
}

QPointF CWriterEdit::LayoutOrigin(const QTextBlock& block) const
{
    return blockBoundingGeometry(block).translated(contentOffset()).topLeft() + block.layout()->position();
}

std::vector<TextSpan> CWriterEdit::UnderlinedWords()
{
    std::vector<TextSpan> underlined;
    if (!spellingOn_)
        return underlined;
    const QRectF area = viewport()->rect();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        if (!block.isVisible())
            continue;
        const QPointF origin = LayoutOrigin(block);
        if (origin.y() > area.bottom())
            break;
        // Only the lines in view are checked: a paragraph may be long.
        const QTextLayout& layout = *block.layout();
        qsizetype from = -1;
        qsizetype to = -1;
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            const qreal top = origin.y() + line.y();
            if (top + line.height() < area.top() || top > area.bottom())
                continue;
            if (from < 0)
                from = line.textStart();
            to = line.textStart() + line.textLength();
        }
        if (from < 0)
            continue;
        for (const TextSpan& span : MisspelledIn(block, from, to))
            underlined.push_back({block.position() + span.start, span.length});
    }
    return underlined;
}

// Misspelled words of the block that reach into [from, to), in block positions.
std::vector<TextSpan> CWriterEdit::MisspelledIn(const QTextBlock& block, qsizetype from, qsizetype to)
{
    const QString text = block.text();
    const qsizetype start = WordStartBefore(text, from);
    const qsizetype end = WordEndAfter(text, to);
    std::vector<TextSpan> misspelled;
    for (TextSpan span : SpellWords(QStringView(text).mid(start, end - start))) {
        span.start += start;
        if (span.End() <= from || span.start >= to)
            continue;
        if (Speller()->IsMisspelled(Utf8(text.mid(span.start, span.length))))
            misspelled.push_back(span);
    }
    return misspelled;
}

std::optional<TextSpan> CWriterEdit::UnderlinedWordAt(const QPoint& point)
{
    const int position = cursorForPosition(point).position();
    for (const TextSpan& span : UnderlinedWords())
        if (span.start <= position && position <= span.End())
            return span;
    return std::nullopt;
}

void CWriterEdit::AddSpellingItems(QMenu& menu, const QPoint& point)
{
    const std::optional<TextSpan> span = UnderlinedWordAt(point);
    if (!span)
        return;
    QTextCursor cursor(document());
    cursor.setPosition(int(span->start));
    cursor.setPosition(int(span->End()), QTextCursor::KeepAnchor);
    const QString word = cursor.selectedText();
    for (const std::string& suggestion : Speller()->Suggestions(Utf8(word))) {
        const QString replacement = QString::fromUtf8(suggestion);
        QAction* action = menu.addAction(replacement);
        action->setObjectName(QStringLiteral("spellingSuggestion"));
        connect(action, &QAction::triggered, this,
                [this, span = *span, word, replacement] { ReplaceWord(span, word, replacement); });
    }
    menu.addSeparator();
    QAction* add = menu.addAction(QStringLiteral("Add to Dictionary"));
    add->setObjectName(QStringLiteral("addToDictionary"));
    connect(add, &QAction::triggered, this, [this, word] {
        Speller()->AddToDictionary(Utf8(word));
        viewport()->update();
    });
    QAction* ignore = menu.addAction(QStringLiteral("Ignore"));
    ignore->setObjectName(QStringLiteral("ignoreWord"));
    connect(ignore, &QAction::triggered, this, [this, word] {
        Speller()->Ignore(Utf8(word));
        viewport()->update();
    });
    menu.addSeparator();
}

// A suggestion replaces the word as an ordinary edit, if the word is still
// there and the pane has room for the longer one.
void CWriterEdit::ReplaceWord(const TextSpan& span, const QString& word, const QString& replacement)
{
    QTextCursor cursor(document());
    cursor.setPosition(int(span.start));
    cursor.setPosition(int(span.End()), QTextCursor::KeepAnchor);
    const qsizetype length = document()->characterCount() - 1;
    if (cursor.selectedText() != word || length - word.size() + replacement.size() > maxCharacters_)
        return;
    cursor.insertText(replacement);
}

void CWriterEdit::AddFixedWidthItem(QMenu& menu)
{
    menu.addSeparator();
    QAction* action = menu.addAction(QStringLiteral("Fixed-Width Font"));
    action->setObjectName(QStringLiteral("fixedWidthFont"));
    action->setCheckable(true);
    action->setChecked(fixedWidth_);
    connect(action, &QAction::toggled, this, &CWriterEdit::SetFixedWidthFont);
}

void CWriterEdit::SetFixedWidthFont(bool on)
{
    EditorSettings::SetFixedWidthFont(on);
    fixedWidth_ = on;
    ApplyFont();
}

void CWriterEdit::RememberFormatWidth(std::int64_t width)
{
    EditorSettings::SetLastFormatWidth(width);
    widthColumn_ = width;
    viewport()->update();
}

// The pane's own font stays what it was given; only the text is shown in
// the fixed-width one, so switching back restores it.
void CWriterEdit::ApplyFont()
{
    document()->setDefaultFont(fixedWidth_ ? SystemFixedFont() : font());
    viewport()->update();
}

void CWriterEdit::changeEvent(QEvent* event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::ApplicationFontChange)
        ApplyFont();
}

std::optional<qreal> CWriterEdit::WidthLineX() const
{
    const QTextBlock block = firstVisibleBlock();
    if (!fixedWidth_ || widthColumn_ <= 0 || !block.isValid())
        return std::nullopt;
    const QPointF origin = LayoutOrigin(block);  // lays the block out
    if (block.layout()->lineCount() == 0)
        return std::nullopt;
    const qreal column = QFontMetricsF(document()->defaultFont()).horizontalAdvance(QLatin1Char('x'));
    const qreal x = origin.x() + block.layout()->lineAt(0).x() + qreal(widthColumn_) * column;
    if (x > viewport()->width())
        return std::nullopt;
    return std::round(x);
}

void CWriterEdit::paintEvent(QPaintEvent* event)
{
    QPlainTextEdit::paintEvent(event);
    QPainter painter(viewport());
    DrawWidthLine(painter);
    DrawUnderlines(painter);
}

void CWriterEdit::DrawWidthLine(QPainter& painter) const
{
    const std::optional<qreal> x = WidthLineX();
    if (!x)
        return;
    QColor faint = palette().color(QPalette::Text);
    faint.setAlpha(48);
    painter.setPen(QPen(faint, 1));
    painter.drawLine(QPointF(*x + 0.5, 0), QPointF(*x + 0.5, viewport()->height()));
}

void CWriterEdit::DrawUnderlines(QPainter& painter)
{
    const std::vector<TextSpan> words = UnderlinedWords();
    if (words.empty())
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(Qt::red), 1));
    painter.setBrush(Qt::NoBrush);
    for (const TextSpan& word : words) {
        const QTextBlock block = document()->findBlock(int(word.start));
        const QPointF origin = LayoutOrigin(block);
        const qsizetype start = word.start - block.position();
        const qsizetype end = word.End() - block.position();
        const QTextLayout& layout = *block.layout();
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            const qsizetype lineEnd = line.textStart() + line.textLength();
            if (lineEnd <= start || line.textStart() >= end)
                continue;
            const qreal left = line.cursorToX(int(std::max<qsizetype>(start, line.textStart())));
            const qreal right = line.cursorToX(int(std::min(end, lineEnd)));
            const qreal baseline = origin.y() + line.y() + line.ascent() + 1;
            DrawWave(painter, origin.x() + left, origin.x() + right, baseline);
        }
    }
}
