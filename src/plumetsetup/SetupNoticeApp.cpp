#include "SetupNoticeApp.h"

#include "ModalRun.h"
#include "ProgramLook.h"
#include "SetupNoticeDlg.h"

static void InitResources() { Q_INIT_RESOURCE(plumetsetup); }

CSetupNoticeApp::CSetupNoticeApp() { InitResources(); }

int CSetupNoticeApp::Run()
{
    SetUpProgramLook(CSetupNoticeDlg::ProgramIcon());
    CSetupNoticeDlg dialog;
    dialog.OnInitDialog();
    // Esc (the dialog's cancel) closes it, and that ends the program too.
    RunModal(dialog);
    return 0;
}
