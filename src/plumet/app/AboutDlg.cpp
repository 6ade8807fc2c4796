#include "AboutDlg.h"

#include "ui_AboutDlg.h"

#include "DialogFrame.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::AboutDlg>())
{
    ui_->setupUi(this);
    SetFixedDialogFrame(*this);
}

CAboutDlg::~CAboutDlg() = default;
