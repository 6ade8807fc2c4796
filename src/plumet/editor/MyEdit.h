#pragma once
#include "View.h"
#include "WriterEdit.h"

#include <string>

class CFrameWnd;
struct PlumetState;

// The editor pane: shows the body of the file last clicked in the list, asks
// to save unsaved edits before the next selection replaces them, and takes
// the text commands (Format Text, Undo, Cut, Copy, Paste) from any pane.
class MyEdit : public CWriterEdit, public CView {
public:
    // The most characters the pane holds; typing, pasting and loading stop there.
    static constexpr int kMaxCharacters = 16'777'215;

    MyEdit(PlumetState& state, QWidget* parent = nullptr);

    // The pane's text with CR LF line breaks.
    std::string Text() const;
    // Replaces the pane's text, without touching the modified flag.
    void SetText(const std::string& text);

    // Set by any ordinary key and by edits; cleared when a selection empties
    // or loads the pane.
    bool IsModified() const { return modified_; }

    // Asks "Do you wish to save changes?" when the text holds unsaved edits
    // and saves them on Yes. False when the user cancelled the save: the
    // program must then stay open.
    bool OfferSaveBeforeExit();

    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, int hint, const std::string& text) override;
    bool OnCmdMsg(int id, CCmdUI* query) override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void RegisterCommands();
    void OpenPath(const std::string& path);
    void OnSaveEditProperties();
    void OnExit();
    void OnFormatText();
    void ShowContextMenu(const QPoint& globalPos);
    void MakeLoadedFileCurrent();
    bool RunFileInfoDialog();
    bool IsWindowShortcut(const QKeyEvent& event) const;
    int Room() const;
    CFrameWnd* Frame() const;

    PlumetState& state_;
    bool modified_ = false;
    bool replacingText_ = false;
    std::string loadedPath_;  // the content file whose body the pane shows, if any
};
