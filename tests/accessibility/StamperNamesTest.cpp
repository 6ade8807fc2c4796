#include "AccessibleWalk.h"
#include "AboutDlg.h"
#include "FeaturesDlg.h"
#include "StamperDlg.h"
#include "StamperState.h"
#include "TestEnvironment.h"
#include "UploadDlg.h"

#include <gtest/gtest.h>

TEST(StamperAccessibility, EveryWindowNamesItsControls)
{
    TestEnvironment env;
    StamperState state;
    const std::vector<WindowOpener> windows = {
        {"main dialog", [&](auto visit) { CStamperDlg d(state); visit(d); }},
        {"about", [&](auto visit) { CAboutDlg d; visit(d); }},
        {"upload gateway", [&](auto visit) { CUploadDlg d(state); visit(d); }},
        {"what is the mintery", [&](auto visit) { CFeaturesDlg d; visit(d); }},
    };
    ExpectEveryWindowNamed(windows, QStringLiteral(PLUMET_RESOURCES_DIR "/stamper"));
}
