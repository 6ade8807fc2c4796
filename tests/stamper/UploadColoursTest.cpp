#include "DarkScheme.h"
#include "ScriptedDialogs.h"
#include "StamperState.h"
#include "UploadDlg.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

TEST(UploadColours, TheTreeStaysReadableUnderADarkScheme)
{
    ScopedDarkScheme dark;
    StamperState state;
    CUploadDlg dialog(state);
    const QPalette& colours = Child<QTreeWidget>(dialog, "folderTree").palette();
    EXPECT_GE(ContrastRatio(colours.color(QPalette::Text), colours.color(QPalette::Base)), 4.5);
}

}  // namespace
