#include "AboutDlg.h"

#include "DialogFrame.h"

#include "ui_AboutDlg.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::StamperAboutDlg>())
{
    ui_->setupUi(this);
    SetFixedDialogFrame(*this);
}

CAboutDlg::~CAboutDlg() = default;
