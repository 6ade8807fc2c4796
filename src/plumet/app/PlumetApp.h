#pragma once
#include "CmdTarget.h"
#include "PlumetDoc.h"
#include "PlumetState.h"
#include "RecentFileList.h"

#include <QStringList>

#include <memory>
#include <string>

class CMainFrame;

// The application: owns the program-wide state, the document and the main
// window, and takes the document and About commands.
class CPlumetApp : public CCmdTarget {
public:
    CPlumetApp();
    ~CPlumetApp() override;

    // Makes the main window with a new document, or opens the file named on
    // the command line, and shows it. False ends the program.
    bool InitInstance(const QStringList& arguments);

    PlumetState& State() { return state_; }
    CPlumetDoc& Document() { return document_; }
    CMainFrame* MainFrame() const { return frame_.get(); }
    const CRecentFileList& RecentFiles() const { return recentFiles_; }

    // Makes the file the document without reading it: the panes are set up
    // again, the title shows its name, and it joins the recent-file list.
    // A file that is not there is reported and changes nothing.
    bool OpenDocumentFile(const std::string& path);

private:
    void OnFileOpen();
    void OnOpenRecentFile(int index);
    void OnAppAbout();
    void SetUpPanes();

    PlumetState state_;
    CPlumetDoc document_;
    CRecentFileList recentFiles_;
    std::unique_ptr<CMainFrame> frame_;
};
