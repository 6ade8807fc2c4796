#include "MyEdit.h"

#include "CommandIds.h"
#include "FileInfoDlg.h"
#include "FormatDlg.h"
#include "FrameWnd.h"
#include "LoadContentFile.h"
#include "MessageBox.h"
#include "ModalRun.h"
#include "PaneText.h"
#include "Paths.h"
#include "PlumetState.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMenu>
#include <QMouseEvent>
#include <QTextCursor>

#include <algorithm>

namespace {

constexpr const char* kCaption = "Plumet Assistant";
constexpr const char* kSaveFilePrompt = "Do you wish to save the file";
constexpr const char* kSaveChangesPrompt = "Do you wish to save changes?";

// Commands that reach the pane only while it is the active one.
bool TakenOnlyWhenActive(int id)
{
    return id == CommandId::SaveEditProperties || id == CommandId::NewFolder || id == CommandId::Exit;
}

// Keys held with Alt belong to the window, and a modifier pressed on its own
// is only the start of a shortcut.
bool IsOrdinaryKey(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return false;
    default:
        return !(event.modifiers() & Qt::AltModifier);
    }
}

// Typing that puts characters into the text (Backspace and Delete take them out).
bool AddsCharacters(const QKeyEvent& event)
{
    const QString text = event.text();
    return !text.isEmpty() && (text.front().isPrint() || text.front() == u'\r' || text.front() == u'\t');
}

struct ContextItem {
    const char* text;
    int id;
};
constexpr ContextItem kContextMenu[] = {
    {"Cu&t", CommandId::Cut},
    {"&Copy", CommandId::Copy},
    {"&Paste", CommandId::Paste},
};

}  // namespace

MyEdit::MyEdit(PlumetState& state, QWidget* parent)
    : CWriterEdit(kMaxCharacters, parent), CView(static_cast<QWidget&>(*this)), state_(state)
{
    setObjectName(QStringLiteral("editor"));

    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(10);
    font.setBold(false);
    setFont(font);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);

    // Typing, Cut, Paste, Undo and drops all change the contents.
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (!replacingText_)
            modified_ = true;
    });
    RegisterCommands();
}

void MyEdit::RegisterCommands()
{
    OnCommand(CommandId::SaveEditProperties, [this] { OnSaveEditProperties(); });
    OnCommand(CommandId::NewFolder, [] {});
    OnCommand(CommandId::Exit, [this] { OnExit(); });
    OnCommand(CommandId::FormatText, [this] { OnFormatText(); });
    OnCommand(CommandId::Undo, [this] { undo(); }, [this] { return document()->isUndoAvailable(); });
    OnCommand(CommandId::Cut, [this] { cut(); }, [this] { return textCursor().hasSelection(); });
    OnCommand(CommandId::Copy, [this] { copy(); }, [this] { return textCursor().hasSelection(); });
    OnCommand(CommandId::Paste, [this] { paste(); }, [this] { return canPaste(); });
}

// The raw text, not toPlainText(), which would turn non-breaking spaces into spaces.
std::string MyEdit::Text() const
{
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
    return PaneText::ToCrLf(text.toLocal8Bit().toStdString());
}

void MyEdit::SetText(const std::string& text)
{
    replacingText_ = true;
    setPlainText(QString::fromLocal8Bit(PaneText::ToLineFeeds(text)).left(kMaxCharacters));
    replacingText_ = false;
}

// Characters that may still go in; a selection is replaced, so it counts as free.
int MyEdit::Room() const
{
    const int length = document()->characterCount() - 1;
    return kMaxCharacters - length + int(textCursor().selectedText().size());
}

void MyEdit::OnInitialUpdate()
{
    OpenPath({});
}

void MyEdit::OnUpdate(CView* /*sender*/, int /*hint*/, const std::string& text)
{
    OpenPath(text);
}

bool MyEdit::OnCmdMsg(int id, CCmdUI* query)
{
    const CFrameWnd* frame = Frame();
    if (TakenOnlyWhenActive(id) && frame && frame->ActivePane() != this)
        return false;
    return CView::OnCmdMsg(id, query);
}

// A new selection replaces the pane's text: unsaved edits are offered for
// saving first, and are lost when the user declines or cancels the dialog.
void MyEdit::OpenPath(const std::string& path)
{
    state_.EditorText = Text();
    if (modified_) {
        const MessageAnswer answer =
            ShowMessage(this, {kCaption, kSaveFilePrompt, MessageButtons::YesNo});
        if (answer == MessageAnswer::Yes) {
            // The list has already made the new selection's file current
            // (or none, for a folder); that stays current once this is saved.
            const std::string selected = state_.CurrentFilePath;
            MakeLoadedFileCurrent();
            RunFileInfoDialog();
            if (!loadedPath_.empty())
                state_.CurrentFilePath = selected;
        } else {
            state_.EditorText.clear();
        }
    }
    SetText({});
    modified_ = false;
    loadedPath_.clear();

    const LoadOutcome outcome = LoadContentFile(state_, path);
    if (outcome == LoadOutcome::NoBody)
        ShowMessage(this, {kCaption, kNoDataMessage});
    if (outcome == LoadOutcome::Loaded)
        loadedPath_ = Paths::Resolve(state_.ProgramFolder, path);
    SetText(state_.EditorText);
    modified_ = false;
}

// CurrentFilePath follows the list: a folder selection empties it and every
// row painted moves it. A save of this pane's text must land beside the file
// the text came from, and the dialog prefill from that file.
void MyEdit::MakeLoadedFileCurrent()
{
    if (!loadedPath_.empty())
        state_.CurrentFilePath = loadedPath_;
}

void MyEdit::OnSaveEditProperties()
{
    state_.EditorText = Text();
    MakeLoadedFileCurrent();
    RunFileInfoDialog();
    window()->update();
}

// Closing the window offers the edits for saving (OfferSaveBeforeExit).
void MyEdit::OnExit()
{
    window()->close();
}

bool MyEdit::OfferSaveBeforeExit()
{
    if (!modified_)
        return true;
    if (ShowMessage(this, {kCaption, kSaveChangesPrompt, MessageButtons::YesNo}) != MessageAnswer::Yes)
        return true;
    state_.EditorText = Text();
    MakeLoadedFileCurrent();
    return RunFileInfoDialog();
}

// The reflowed text replaces the pane's as one edit, so Undo brings the old
// text back and the pane counts as modified.
void MyEdit::OnFormatText()
{
    state_.EditorText = Text();
    CFormatDlg dialog(state_, this);
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(QString::fromLocal8Bit(PaneText::ToLineFeeds(state_.EditorText)).left(kMaxCharacters));
    RememberFormatWidth(dialog.Width());
}

bool MyEdit::RunFileInfoDialog()
{
    CFileInfoDlg dialog(state_, loadedPath_, window());
    return RunModal(dialog) == QDialog::Accepted;
}

// Shortcuts of the window's table become commands; the text control must not
// claim them as its own editing keys.
bool MyEdit::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride
        && IsWindowShortcut(static_cast<const QKeyEvent&>(*event))) {
        event->ignore();
        return true;
    }
    return QPlainTextEdit::event(event);
}

bool MyEdit::IsWindowShortcut(const QKeyEvent& event) const
{
    const QKeySequence keys(event.keyCombination());
    for (const QAction* action : window()->actions())
        if (action->isEnabled() && action->shortcuts().contains(keys))
            return true;
    return false;
}

void MyEdit::keyPressEvent(QKeyEvent* event)
{
    if (IsOrdinaryKey(*event))
        modified_ = true;
    if (AddsCharacters(*event) && Room() < int(event->text().size())) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void MyEdit::insertFromMimeData(const QMimeData* source)
{
    if (!source->hasText())
        return;
    textCursor().insertText(source->text().left(std::max(0, Room())));
    ensureCursorVisible();
}

// The right button opens the menu at once and is not passed on, so the caret
// and the selection stay where they were.
void MyEdit::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) {
        QPlainTextEdit::mousePressEvent(event);
        return;
    }
    event->accept();
    ShowContextMenu(event->globalPosition().toPoint());
}

// The pane's menu opens on the button press; the text control's own menu
// would bypass the window's command routing.
void MyEdit::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
}

// Owned by the main window, so the chosen command goes through its routing;
// made for each use and gone once it closes.
void MyEdit::ShowContextMenu(const QPoint& globalPos)
{
    CFrameWnd* frame = Frame();
    if (!frame)
        return;
    frame->SetActivePane(this);
    auto* menu = new QMenu(frame);
    menu->setObjectName(QStringLiteral("editorContextMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    AddSpellingItems(*menu, viewport()->mapFromGlobal(globalPos));
    for (const ContextItem& item : kContextMenu) {
        QAction* action = menu->addAction(QString::fromLatin1(item.text));
        action->setObjectName(QStringLiteral("command%1").arg(item.id));
        action->setEnabled(frame->IsCommandEnabled(item.id));
        connect(action, &QAction::triggered, frame, [frame, id = item.id] { frame->ExecuteCommand(id); });
    }
    AddFixedWidthItem(*menu);
    menu->popup(globalPos);
}

CFrameWnd* MyEdit::Frame() const
{
    return dynamic_cast<CFrameWnd*>(window());
}
