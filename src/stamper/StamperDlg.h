#pragma once
#include "Finder.h"
#include "StamperState.h"

#include <QDialog>
#include <QElapsedTimer>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QStatusBar;
namespace Ui { class StamperDlg; }

// The main dialog "Quorvel Partner Mintery": the file to stamp, the referral
// partner identifier, and the commands that stamp, find and upload the file.
class CStamperDlg : public QDialog, private CFinderHost {
public:
    // The window menu's About item.
    static constexpr int kAboutCommand = 16;

    explicit CStamperDlg(StamperState& state, QWidget* parent = nullptr);
    ~CStamperDlg() override;

    // Prepares the dialog before it is first shown.
    void OnInitDialog();

    // Pane 0 of the status bar.
    void SetStatusText(const std::string& text);
    std::string StatusText() const;

    // The filename box's text as bytes: exactly the path put there by Browse
    // or the finder while the box still shows it, else the text as typed.
    std::string FilenameText() const;
    // Shows `path` readably in the filename box and keeps its bytes.
    void SetFilenameText(const std::string& path);
    std::string IdentifierText() const;

    // The drives "Find It For Me" searches; the local drives unless set.
    void SetDriveRoots(std::vector<std::string> roots) { driveRoots_ = std::move(roots); }

    void StampExecutable();
    void FindDistributable();
    void OnBrowse();
    // "Upload my stamped file": the file named in the filename box is the one
    // to upload. The upload dialog is opened from here.
    void OnUploadStampedFile();
    void OnReferralLink();
    void OnSysCommand(int commandId);

    // Ends the modal run of the dialog; the program ends with it. During a
    // search the search stops first.
    void reject() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowSearchedFolder(const std::string& folder) override;
    void ShowFoundFile(const std::string& path) override;
    bool PumpMessages() override;

    bool FilenameBoxShowsPlacedPath() const;
    void LayOutStatusBar();
    void EndProgram();

    StamperState& state_;
    std::unique_ptr<Ui::StamperDlg> ui_;
    QStatusBar* statusBar_;
    QLabel* statusPane_;
    std::optional<std::vector<std::string>> driveRoots_;
    std::string placedPath_;       // the bytes last put in the filename box
    bool placedByFinder_ = false;  // and the finder put them there
    bool searching_ = false;    // the other commands wait for a search to end
    bool stopSearch_ = false;
    QElapsedTimer pumpClock_;   // since messages were last taken during a search
};
