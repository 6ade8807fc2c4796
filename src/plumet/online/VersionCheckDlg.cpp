#include "VersionCheckDlg.h"

#include "ui_VersionCheckDlg.h"

#include "DialogFrame.h"
#include "MessageBox.h"
#include "ServerSettings.h"
#include "ShellOpen.h"
#include "VersionCheck.h"

CVersionCheckDlg::CVersionCheckDlg(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::VersionCheckDlg>())
{
    ui_->setupUi(this);
    SetFixedDialogFrame(*this);
    connect(ui_->upgradeButton, &QPushButton::clicked, this, &CVersionCheckDlg::OnUpgrade);
    connect(ui_->exitButton, &QPushButton::clicked, this, &QDialog::reject);

    if (const std::optional<std::string> version = FetchLatestVersion(ServerSettings::Load()))
        ui_->latestVersionEdit->setText(QString::fromLocal8Bit(*version));
    else  // The dialog is not on screen yet: the box goes over the window that opened it.
        ShowMessage(parentWidget() ? parentWidget() : this, {kVersionErrorCaption, kVersionErrorText});
}

CVersionCheckDlg::~CVersionCheckDlg() = default;

void CVersionCheckDlg::OnUpgrade()
{
    ShellOpenUrl(DownloadPageUrl(ServerSettings::Load()));
    accept();
}
