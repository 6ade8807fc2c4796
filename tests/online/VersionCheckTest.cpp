#include "VersionCheckDlg.h"

#include "LoopbackHttpServer.h"
#include "ScriptedDialogs.h"
#include "ShellOpen.h"
#include "TestEnvironment.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {
struct VersionCase {
    std::string answer;
    QString shown;
    bool message;
};

TEST(VersionCheck, FieldShowsTheLastLineOrNothingAfterTheMessage)
{
    const VersionCase cases[] = {
        {LoopbackHttpServer::Answer("1.1\r\n"), "1.1", false},
        {LoopbackHttpServer::Answer("1.0\r\n1.2"), "1.2", false},
        {LoopbackHttpServer::Answer("1.1\r\n\r\n"), "", false},
        {LoopbackHttpServer::Answer("<p>1.3</p>\r\n", "404 Not Found", "text/html"), "<p>1.3</p>", false},
        {LoopbackHttpServer::Answer("1.1\r\n", "200 OK", "application/octet-stream"), "", true},
    };
    for (const VersionCase& c : cases) {
        TestEnvironment env;
        LoopbackHttpServer server([&](const std::string&) { return c.answer; });
        env.PointServersAt(server.Port(), server.Port());
        ScopedMessageScript messages;
        CVersionCheckDlg dialog;
        EXPECT_EQ(Child<QLineEdit>(dialog, "latestVersionEdit").text(), c.shown) << c.answer;
        ASSERT_EQ(messages.Shown().size(), c.message ? 1u : 0u) << c.answer;
        EXPECT_EQ(server.Requests(), std::vector<std::string>{"GET /kestrin/plversion.txt HTTP/1.0"});
        if (c.message) {
            EXPECT_EQ(messages.Shown()[0].caption, kVersionErrorCaption);
            EXPECT_EQ(messages.Shown()[0].text,
                      "An internet error occured.  Please check your internet connection and restart the "
                      "application.");
            EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::None);
        }
    }
}

TEST(VersionCheck, UpgradeOpensTheDownloadPageAndClosesExitOnlyCloses)
{
    TestEnvironment env;
    std::vector<std::string> opened;
    const ShellOpenHandler previous = SetShellOpenHandler([&](const std::string& url) { opened.push_back(url); });
    for (const bool enterAndEsc : {false, true}) {
        CVersionCheckDlg upgrade;
        upgrade.show();
        if (enterAndEsc)
            QTest::keyClick(&upgrade, Qt::Key_Return);
        else
            Child<QPushButton>(upgrade, "upgradeButton").click();
        EXPECT_EQ(upgrade.result(), QDialog::Accepted);
        EXPECT_FALSE(upgrade.isVisible());

        CVersionCheckDlg exit;
        exit.show();
        if (enterAndEsc)
            QTest::keyClick(&exit, Qt::Key_Escape);
        else
            Child<QPushButton>(exit, "exitButton").click();
        EXPECT_EQ(exit.result(), QDialog::Rejected);
        EXPECT_FALSE(exit.isVisible());
    }
    SetShellOpenHandler(previous);
    EXPECT_EQ(opened, (std::vector<std::string>(2, "http://www.plumet.example/download.htm")));
}
}  // namespace
