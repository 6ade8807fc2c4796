#include "StamperApp.h"

#include "ModalRun.h"
#include "StamperDlg.h"

#include <QApplication>
#include <QFont>

static void InitResources() { Q_INIT_RESOURCE(stamper); }

CStamperApp::CStamperApp() { InitResources(); }

int CStamperApp::Run()
{
    // The dialogs' pixel sizes were laid out for the classic 8-point face.
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    CStamperDlg dialog(state_);
    dialog.OnInitDialog();
    RunModal(dialog);
    return 0;
}
