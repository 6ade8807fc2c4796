#pragma once
#include <QDialog>

#include <memory>

namespace Ui { class VersionCheckDlg; }

// "Version Check": shows the newest version the content server publishes
// beside the running one. The fetch happens once, while the dialog is made;
// a failed fetch is reported before the dialog shows, with an empty field.
// "Upgrade to Latest Version" opens the maker's download page and closes.
class CVersionCheckDlg : public QDialog {
public:
    explicit CVersionCheckDlg(QWidget* parent = nullptr);
    ~CVersionCheckDlg() override;

private:
    void OnUpgrade();

    std::unique_ptr<Ui::VersionCheckDlg> ui_;
};

inline constexpr const char* kVersionErrorCaption = "Plumet - Newsletters Made Easy";
inline constexpr const char* kVersionErrorText =
    "An internet error occured.  Please check your internet connection and restart the application.";
