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

TEST(PlumetAccessibility, EveryWindowNamesItsControls)
{
    TestEnvironment env;
    CPlumetApp app;
    ASSERT_TRUE(app.InitInstance({}));
    PlumetState& state = app.State();
    const std::vector<WindowOpener> windows = {
        {"main window", [&](auto visit) { visit(*app.MainFrame()); }},
        {"file information", [&](auto visit) { CFileInfoDlg d(state); visit(d); }},
        {"format option", [&](auto visit) { CFormatDlg d(state); visit(d); }},
        {"about", [&](auto visit) { CAboutDlg d; visit(d); }},
        {"version check", [&](auto visit) { CVersionCheckDlg d; visit(d); }},
        {"bonus form", [&](auto visit) { CBonusCenterDlg d; visit(d); }},
        {"progress", [&](auto visit) {
             CProgressDlg progress;
             progress.Create(app.MainFrame());
             visit(*progress.Window());
             progress.DestroyWindow();
         }},
    };
    ExpectEveryWindowNamed(windows, QStringLiteral(PLUMET_RESOURCES_DIR "/plumet"));
}
