#include "StamperDlg.h"

#include "ScriptedDialogs.h"
#include "TestEnvironment.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <gtest/gtest.h>

namespace {

struct StamperDlgTest : ::testing::Test {
    TestEnvironment environment;
    StamperState state;
    CStamperDlg dialog{state};

    StamperDlgTest() { dialog.OnInitDialog(); }
    QLineEdit& Filename() { return Child<QLineEdit>(dialog, "filenameEdit"); }
    QLineEdit& Identifier() { return Child<QLineEdit>(dialog, "identifierEdit"); }
    QPushButton& Button(const char* name) { return Child<QPushButton>(dialog, name); }
};

TEST_F(StamperDlgTest, StartsWithImEmptyFilenameAndReady)
{
    EXPECT_EQ(Identifier().text(), "IM");
    EXPECT_TRUE(Filename().text().isEmpty());
    EXPECT_EQ(dialog.StatusText(), "Ready");
    const QStatusBar& bar = Child<QStatusBar>(dialog, "statusBar");
    EXPECT_EQ(bar.geometry(), QRect(0, dialog.height() - 25, dialog.width(), 25));
}

TEST_F(StamperDlgTest, BrowseTakesTheChosenFileAndCancelPutsBackThePathLastTaken)
{
    const std::string chosen = environment.Folder() + "/pla1_0.exe";
    WriteBytes(chosen, "MZ");
    ScopedModalScript script({
        [&](QDialog& d) {
            auto& files = dynamic_cast<QFileDialog&>(d);
            files.selectFile(QString::fromLocal8Bit(chosen));
            return int(QDialog::Accepted);
        },
        [](QDialog&) { return int(QDialog::Rejected); },
    });
    Button("browseButton").click();
    EXPECT_EQ(state.SelectedFilePath, chosen);
    EXPECT_EQ(Filename().text().toStdString(), chosen);

    Filename().setText("typed since");
    Button("browseButton").click();
    EXPECT_EQ(Filename().text().toStdString(), chosen);
    EXPECT_EQ(script.Runs(), 2);
}

TEST_F(StamperDlgTest, UploadTakesTheFilenameBoxAsItIs)
{
    Filename().setText("/somewhere/unstamped.exe");
    Button("uploadButton").click();
    EXPECT_EQ(state.SelectedFilePath, "/somewhere/unstamped.exe");
}

}  // namespace
