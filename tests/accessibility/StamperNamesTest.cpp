#include "AccessibleWalk.h"
#include "AboutDlg.h"
#include "StamperDlg.h"
#include "StamperState.h"
#include "TestEnvironment.h"
#include "UploadDlg.h"
#include "ui_FeaturesDlg.h"

#include <QDialog>
#include <gtest/gtest.h>

TEST(StamperAccessibility, EveryWindowNamesItsControls)
{
    TestEnvironment env;
    StamperState state;
    const std::vector<WindowOpener> windows = {
        {"main dialog", [&](auto visit) { CStamperDlg d(state); visit(d); }},
        {"about", [&](auto visit) { CAboutDlg d; visit(d); }},
        {"upload gateway", [&](auto visit) { CUploadDlg d(state); visit(d); }},
        // No class shows this form yet; its names are checked as it stands.
        {"what is the mintery", [&](auto visit) {
             QDialog d;
             Ui::FeaturesDlg ui;
             ui.setupUi(&d);
             visit(d);
         }},
    };
    ExpectEveryWindowNamed(windows, QStringLiteral(PLUMET_RESOURCES_DIR "/stamper"));
}
