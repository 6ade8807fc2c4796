#include "AccessibleWalk.h"
#include "AboutDlg.h"
#include "FeaturesDlg.h"
#include "StamperDlg.h"
#include "StamperState.h"
#include "TestEnvironment.h"
#include "UploadDlg.h"

#include <gtest/gtest.h>

namespace {

std::vector<WindowOpener> StamperWindows(StamperState& state)
{
    return {
        {"main dialog", [&](auto visit) { CStamperDlg d(state); visit(d); }},
        {"about", [&](auto visit) { CAboutDlg d; visit(d); }},
        {"upload gateway", [&](auto visit) { CUploadDlg d(state); visit(d); }},
        {"what is the mintery", [&](auto visit) { CFeaturesDlg d; visit(d); }},
    };
}

}  // namespace

TEST(StamperAccessibility, EveryWindowNamesItsControls)
{
    TestEnvironment env;
    StamperState state;
    ExpectEveryWindowNamed(StamperWindows(state), QStringLiteral(PLUMET_RESOURCES_DIR "/stamper"));
}

TEST(StamperAccessibility, EnterPressesTheFocusedButtonAndInABoxTheDefaultOne)
{
    TestEnvironment env;
    StamperState state;
    ExpectEnterOnEveryFocusedButton(StamperWindows(state), QStringLiteral(PLUMET_RESOURCES_DIR "/stamper"));
}
