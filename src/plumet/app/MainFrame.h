#pragma once
#include "FrameWnd.h"

class CLeftView;
class CPlumetView;
class MyEdit;
class CDocument;
class CRecentFileList;
class QIcon;
class QSplitter;
struct PlumetState;

// plumet's main window: the folder tree on the left, the file list above the
// editor on the right.
class CMainFrame : public CFrameWnd {
public:
    CMainFrame(PlumetState& state, CDocument& document, const CRecentFileList& recentFiles);
    static QIcon ProgramIcon();

    // The window's creation steps after its panes exist: centre it, fix the
    // program's folders, make the library folders and fetch the premium content.
    void OnCreate();

    CLeftView& Tree() const { return *tree_; }
    CPlumetView& List() const { return *list_; }
    MyEdit& Editor() const { return *editor_; }

protected:
    // Exit from any pane and the close box end here: unsaved edits in the
    // editor are offered for saving first.
    void closeEvent(QCloseEvent* event) override;

private:
    void OnCreateClient();
    void CentreOnScreen();
    void RunFileInfoDialog(const std::string& ownFile);
    void RunVersionCheck();
    void RunBonusForm();
    static void OnStampSoftware();
    static void OnHelpIndex();
    void ShowRecentFiles();

    PlumetState& state_;
    const CRecentFileList& recentFiles_;
    QSplitter* outerSplitter_ = nullptr;
    QSplitter* innerSplitter_ = nullptr;
    CLeftView* tree_ = nullptr;
    CPlumetView* list_ = nullptr;
    MyEdit* editor_ = nullptr;
};
