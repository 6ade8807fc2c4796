#include "FindBar.h"

#include "WriterEdit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextDocument>
#include <QToolButton>

namespace {

QPushButton* Button(const QString& text, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QLineEdit* Box(const QString& label, const char* name, QGridLayout& grid, int row, QWidget* parent,
               QList<QWidget*>* rowWidgets = nullptr)
{
    auto* caption = new QLabel(label, parent);
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    caption->setBuddy(box);
    grid.addWidget(caption, row, 0);
    grid.addWidget(box, row, 1);
    if (rowWidgets)
        *rowWidgets << caption << box;
    return box;
}

}  // namespace

CFindBar::CFindBar(CWriterEdit& editor, QWidget* parent) : QWidget(parent), editor_(editor)
{
    setObjectName(QStringLiteral("findBar"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(2);

    findEdit_ = Box(QStringLiteral("&Find:"), "findEdit", *grid, 0, this);
    QPushButton* previous = Button(QStringLiteral("&Previous"), "findPreviousButton", this);
    QPushButton* next = Button(QStringLiteral("&Next"), "findNextButton", this);
    matchCase_ = new QCheckBox(QStringLiteral("Match &case"), this);
    matchCase_->setObjectName(QStringLiteral("matchCaseCheck"));
    wholeWords_ = new QCheckBox(QStringLiteral("&Whole words"), this);
    wholeWords_->setObjectName(QStringLiteral("wholeWordsCheck"));
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("findNote"));
    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("closeFindButton"));
    close->setText(QStringLiteral("\u00d7"));
    close->setAccessibleName(QStringLiteral("Close"));
    close->setAutoRaise(true);
    grid->addWidget(previous, 0, 2);
    grid->addWidget(next, 0, 3);
    grid->addWidget(matchCase_, 0, 4);
    grid->addWidget(wholeWords_, 0, 5);
    grid->addWidget(close, 0, 7);
    // Under the check boxes, shown only while it has something to say.
    grid->addWidget(note_, 1, 4, 1, 4);
    note_->hide();

    replaceEdit_ = Box(QStringLiteral("R&eplace with:"), "replaceEdit", *grid, 1, this, &replaceRow_);
    QPushButton* replace = Button(QStringLiteral("&Replace"), "replaceButton", this);
    QPushButton* replaceAll = Button(QStringLiteral("Replace &All"), "replaceAllButton", this);
    grid->addWidget(replace, 1, 2);
    grid->addWidget(replaceAll, 1, 3);
    replaceRow_ << replace << replaceAll;

    // The boxes get room for a phrase; the note never widens the bar, which
    // would push the splitter's other panes aside.
    const int phrase = fontMetrics().averageCharWidth() * 24;
    findEdit_->setMinimumWidth(phrase);
    replaceEdit_->setMinimumWidth(phrase);
    note_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(6, 1);

    connect(findEdit_, &QLineEdit::returnPressed, this, [this] {
        Find(QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
    });
    connect(replaceEdit_, &QLineEdit::returnPressed, this, &CFindBar::Replace);
    connect(findEdit_, &QLineEdit::textEdited, this, [this] { SetNote({}); });
    connect(previous, &QPushButton::clicked, this, &CFindBar::FindPrevious);
    connect(next, &QPushButton::clicked, this, &CFindBar::FindNext);
    connect(replace, &QPushButton::clicked, this, &CFindBar::Replace);
    connect(replaceAll, &QPushButton::clicked, this, &CFindBar::ReplaceAll);
    connect(close, &QToolButton::clicked, this, &CFindBar::Close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &CFindBar::Close);
    escape->setContext(Qt::WidgetWithChildrenShortcut);

    setAccessibleName(QStringLiteral("Find"));
    hide();
}

void CFindBar::OpenFind() { Open(false); }

void CFindBar::OpenReplace() { Open(true); }

void CFindBar::Open(bool replacing)
{
    const QString selected = editor_.textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        findEdit_->setText(selected);
    for (QWidget* widget : replaceRow_)
        widget->setVisible(replacing);
    SetNote({});
    show();
    findEdit_->selectAll();
    findEdit_->setFocus(Qt::ShortcutFocusReason);
}

void CFindBar::Close()
{
    hide();
    editor_.setFocus(Qt::OtherFocusReason);
}

void CFindBar::FindNext() { Find(false); }

void CFindBar::FindPrevious() { Find(true); }

TextSearch::Options CFindBar::Options(bool backward) const
{
    return {matchCase_->isChecked(), wholeWords_->isChecked(), backward};
}

void CFindBar::Find(bool backward)
{
    if (findEdit_->text().isEmpty()) {
        OpenFind();
        return;
    }
    show();
    const TextSearch::Found found =
        TextSearch::FindNext(*editor_.document(), findEdit_->text(), editor_.textCursor(), Options(backward));
    if (found.match.isNull()) {
        SetNote(QStringLiteral("Not found"));
        return;
    }
    editor_.setTextCursor(found.match);
    if (!found.wrapped)
        SetNote({});
    else
        SetNote(backward ? QStringLiteral("Continued from the bottom") : QStringLiteral("Continued from the top"));
}

void CFindBar::Replace()
{
    QTextCursor selection = editor_.textCursor();
    const QString replacement = replaceEdit_->text();
    const qsizetype length = editor_.document()->characterCount() - 1;
    if (TextSearch::IsMatch(selection, findEdit_->text(), Options(false))
        && length - selection.selectedText().size() + replacement.size() <= editor_.MaxCharacters()) {
        selection.insertText(replacement);
        editor_.setTextCursor(selection);
    }
    FindNext();
}

void CFindBar::ReplaceAll()
{
    const int count = TextSearch::ReplaceAll(*editor_.document(), findEdit_->text(), replaceEdit_->text(),
                                             Options(false), editor_.MaxCharacters());
    SetNote(count == 1 ? QStringLiteral("1 replaced") : QStringLiteral("%1 replaced").arg(count));
}

QString CFindBar::Note() const { return note_->text(); }

void CFindBar::SetNote(const QString& note)
{
    note_->setText(note);
    note_->setVisible(!note.isEmpty());
}
