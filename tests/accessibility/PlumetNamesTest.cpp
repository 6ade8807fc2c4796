#include "AccessibleWalk.h"
#include "AboutDlg.h"
#include "BonusCenterDlg.h"
#include "FileInfoDlg.h"
#include "FormatDlg.h"
#include "MainFrame.h"
#include "PlumetApp.h"
#include "ProgressDlg.h"
#include "TestEnvironment.h"
#include "VersionCheckDlg.h"

#include <QDialog>
#include <gtest/gtest.h>

namespace {

std::vector<WindowOpener> PlumetWindows(CPlumetApp& app)
{
    PlumetState& state = app.State();
    return {
        {"main window", [&](auto visit) { visit(*app.MainFrame()); }},
        {"file information", [&](auto visit) { CFileInfoDlg d(state, {}); visit(d); }},
        {"format option", [&](auto visit) { CFormatDlg d(state); visit(d); }},
        {"about", [](auto visit) { CAboutDlg d; visit(d); }},
        {"version check", [](auto visit) { CVersionCheckDlg d; visit(d); }},
        {"bonus form", [](auto visit) { CBonusCenterDlg d; visit(d); }},
        {"progress", [&](auto visit) {
             CProgressDlg progress;
             progress.Create(app.MainFrame());
             visit(*progress.Window());
             progress.DestroyWindow();
         }},
    };
}

}  // namespace

TEST(PlumetAccessibility, EveryWindowNamesItsControls)
{
    TestEnvironment env;
    CPlumetApp app;
    ASSERT_TRUE(app.InitInstance({}));
    ExpectEveryWindowNamed(PlumetWindows(app), QStringLiteral(PLUMET_RESOURCES_DIR "/plumet"));
}

TEST(PlumetAccessibility, EnterPressesTheFocusedButtonAndInABoxTheDefaultOne)
{
    TestEnvironment env;
    CPlumetApp app;
    ASSERT_TRUE(app.InitInstance({}));
    ExpectEnterOnEveryFocusedButton(PlumetWindows(app), QStringLiteral(PLUMET_RESOURCES_DIR "/plumet"));
}
