#pragma once
#include "StamperState.h"

#include <QDialog>

#include <memory>
#include <string>

class QLabel;
class QStatusBar;
namespace Ui { class StamperDlg; }

// The main dialog "Quorvel Partner Mintery": the file to stamp, the referral
// partner identifier, and the commands that stamp, find and upload the file.
class CStamperDlg : public QDialog {
public:
    explicit CStamperDlg(StamperState& state, QWidget* parent = nullptr);
    ~CStamperDlg() override;

    // Prepares the dialog before it is first shown.
    void OnInitDialog();

    // Pane 0 of the status bar.
    void SetStatusText(const std::string& text);
    std::string StatusText() const;

    std::string FilenameText() const;
    void SetFilenameText(const std::string& text);
    std::string IdentifierText() const;

    void OnBrowse();
    // "Upload my stamped file": the file named in the filename box is the one
    // to upload. The upload dialog is opened from here.
    void OnUploadStampedFile();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOutStatusBar();

    StamperState& state_;
    std::unique_ptr<Ui::StamperDlg> ui_;
    QStatusBar* statusBar_;
    QLabel* statusPane_;
};
