#include "StamperApp.h"

#include "ModalRun.h"
#include "ProgramIcon.h"
#include "ProgramLook.h"
#include "StamperDlg.h"

static void InitResources() { Q_INIT_RESOURCE(stamper); }

CStamperApp::CStamperApp() { InitResources(); }

int CStamperApp::Run()
{
    SetUpProgramLook(StamperIcon());
    CStamperDlg dialog(state_);
    dialog.OnInitDialog();
    RunModal(dialog);
    return 0;
}
