#include "AccessibleWalk.h"
#include "SetupNoticeDlg.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

TEST(SetupAccessibility, EveryWindowNamesItsControls)
{
    TestEnvironment env;
    const std::vector<WindowOpener> windows = {
        {"setup notice", [&](auto visit) { CSetupNoticeDlg d; visit(d); }},
    };
    ExpectEveryWindowNamed(windows, QStringLiteral(PLUMET_RESOURCES_DIR "/plumetsetup"));
}
