#include "StamperApp.h"

#include "DialogFace.h"
#include "ModalRun.h"
#include "StamperDlg.h"

#include <QApplication>

static void InitResources() { Q_INIT_RESOURCE(stamper); }

CStamperApp::CStamperApp() { InitResources(); }

int CStamperApp::Run()
{
    QApplication::setFont(DialogFace());
    CStamperDlg dialog(state_);
    dialog.OnInitDialog();
    RunModal(dialog);
    return 0;
}
