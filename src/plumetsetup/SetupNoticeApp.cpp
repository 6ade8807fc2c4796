#include "SetupNoticeApp.h"

#include "DialogFace.h"
#include "ModalRun.h"
#include "SetupNoticeDlg.h"

#include <QApplication>

static void InitResources() { Q_INIT_RESOURCE(plumetsetup); }

CSetupNoticeApp::CSetupNoticeApp() { InitResources(); }

int CSetupNoticeApp::Run()
{
    QApplication::setFont(DialogFace());
    CSetupNoticeDlg dialog;
    dialog.OnInitDialog();
    // Esc (the dialog's cancel) closes it, and that ends the program too.
    RunModal(dialog);
    return 0;
}
