#include "AccessibleWalk.h"
#include "SetupNoticeDlg.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

std::vector<WindowOpener> SetupWindows()
{
    return {
        {"setup notice", [](auto visit) { CSetupNoticeDlg d; visit(d); }},
    };
}

}  // namespace

TEST(SetupAccessibility, EveryWindowNamesItsControls)
{
    TestEnvironment env;
    ExpectEveryWindowNamed(SetupWindows(), QStringLiteral(PLUMET_RESOURCES_DIR "/plumetsetup"));
}

TEST(SetupAccessibility, EnterPressesTheFocusedButtonAndInABoxTheDefaultOne)
{
    TestEnvironment env;
    ExpectEnterOnEveryFocusedButton(SetupWindows(), QStringLiteral(PLUMET_RESOURCES_DIR "/plumetsetup"));
}
