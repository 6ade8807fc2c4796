// How the Upload Gateway handles the connection's mode and security: the
// choices as plain functions, then the dialog against vsftpd on 127.0.0.1.
#include "TestEnvironment.h"
#include "TempFolder.h"
#include "UploadConnection.h"
#include "UploadDlg.h"
#include "UploadSettings.h"
#include "VsftpdServer.h"

#include "ScriptedDialogs.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using DataMode = UploadSettings::DataMode;

TEST(UploadConnection, StartingDataModeKeepsToAForcedModeElseToWhatWorked)
{
    struct Case
    {
        DataMode forced;
        bool passiveWorked;
        FtpDataMode mode;
    } cases[] = {
        {DataMode::Automatic, false, FtpDataMode::ActiveFirst}, {DataMode::Automatic, true, FtpDataMode::PassiveFirst},
        {DataMode::Active, true, FtpDataMode::ActiveOnly},       {DataMode::Passive, false, FtpDataMode::PassiveOnly},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StartingDataMode(c.forced, c.passiveWorked), c.mode) << static_cast<int>(c.forced);
}

TEST(UploadConnection, ACertificateIsTrustedOnlyWithTheFingerprintAccepted)
{
    EXPECT_EQ(JudgeCertificate(std::nullopt, "AB"), CertificateVerdict::Unknown);
    EXPECT_EQ(JudgeCertificate(std::string("AB"), "AB"), CertificateVerdict::Trusted);
    EXPECT_EQ(JudgeCertificate(std::string("AB"), "AC"), CertificateVerdict::Changed);

    const std::string unknown = CertificateQuestion(CertificateVerdict::Unknown, "ftp.example.org", "AB:CD");
    const std::string changed = CertificateQuestion(CertificateVerdict::Changed, "ftp.example.org", "AB:CD");
    for (const std::string& text : {unknown, changed}) {
        EXPECT_NE(text.find("ftp.example.org"), std::string::npos);
        EXPECT_NE(text.find("SHA-256 fingerprint:\nAB:CD"), std::string::npos);
    }
    EXPECT_EQ(unknown.find("Warning"), std::string::npos);
    EXPECT_EQ(changed.rfind("Warning:", 0), 0u);
}

TEST(UploadConnection, StatusNamesTheSecurityAndTheMode)
{
    EXPECT_EQ(ConnectionStatus(false, false, false), "Plain FTP, active mode");
    EXPECT_EQ(ConnectionStatus(true, true, true), "FTP over TLS, passive mode");
    EXPECT_EQ(ConnectionStatus(true, false, false), "FTP over TLS (data not encrypted), active mode");
}

// The dialog with its settings in a test folder and vsftpd as the server.
struct UploadGatewayAgainstVsftpd : ::testing::Test {
    TestEnvironment env;
    TempFolder local;
    StamperState state;

    std::string Site(const VsftpdServer& server) const { return "127.0.0.1:" + std::to_string(server.Port()); }

    void Connect(CUploadDlg& dialog, const VsftpdServer& server)
    {
        Child<QLineEdit>(dialog, "hostEdit").setText(QString::fromStdString(Site(server)));
        Child<QLineEdit>(dialog, "userEdit").setText(VsftpdServer::kUser);
        Child<QLineEdit>(dialog, "passwordEdit").setText(VsftpdServer::kPassword);
        Child<QPushButton>(dialog, "connectButton").click();
    }
    void Upload(CUploadDlg& dialog) { Child<QPushButton>(dialog, "uploadButton").click(); }
    static QString Status(CUploadDlg& dialog) { return Child<QTreeWidget>(dialog, "folderTree").toolTip(); }
};

TEST_F(UploadGatewayAgainstVsftpd, PassiveIsRememberedForTheSiteOnceItWorked)
{
    VsftpdServer server({.portEnabled = false});
    ASSERT_NE(server.Port(), 0);
    state.SelectedFilePath = local.PathOf("stamped.exe");
    WriteWholeFile(state.SelectedFilePath, "MZ stamped");
    ScopedMessageScript messages;
    {
        CUploadDlg dialog(state);
        Connect(dialog, server);
        EXPECT_EQ(Status(dialog), "Plain FTP, passive mode");
        Upload(dialog);
    }
    EXPECT_TRUE(UploadSettings::PassiveWorked(Site(server)));
    EXPECT_EQ(ReadWholeFile(server.Home() + "/pla1_0.exe"), "MZ stamped");

    // The next session starts passive: PORT is not tried again.
    const std::string before = server.Log();
    {
        CUploadDlg dialog(state);
        Connect(dialog, server);
        EXPECT_EQ(Status(dialog), "Plain FTP, passive mode");
    }
    EXPECT_EQ(server.Log().find("\"PORT ", before.size()), std::string::npos);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text,
              "Transfer Complete.  The file has been uploaded and saved as 'pla1_0.exe' on the server.");
}

TEST_F(UploadGatewayAgainstVsftpd, AnUntrustedCertificateIsAskedAboutOnceAndRemembered)
{
    VsftpdServer server({.tls = true});
    ASSERT_NE(server.Port(), 0);
    state.SelectedFilePath = local.PathOf("stamped.exe");
    const std::string content(300 * 1024, 'S');
    WriteWholeFile(state.SelectedFilePath, content);
    ScopedMessageScript messages({MessageAnswer::Yes});
    {
        CUploadDlg dialog(state);
        Connect(dialog, server);
        EXPECT_EQ(Status(dialog), "FTP over TLS, active mode");
        Upload(dialog);
    }
    EXPECT_TRUE(ReadWholeFile(server.Home() + "/pla1_0.exe") == content);
    ASSERT_EQ(messages.Shown().size(), 2u);
    const MessageRecord& question = messages.Shown()[0];
    EXPECT_EQ(question.caption, "Quorvel Partner Mintery");
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_NE(question.text.find(Site(server)), std::string::npos);
    const std::optional<std::string> remembered = UploadSettings::TrustedFingerprint(Site(server));
    ASSERT_TRUE(remembered);
    EXPECT_NE(question.text.find(*remembered), std::string::npos);

    // Known now: connecting again asks nothing.
    {
        CUploadDlg dialog(state);
        Connect(dialog, server);
        EXPECT_EQ(Status(dialog), "FTP over TLS, active mode");
    }
    EXPECT_EQ(messages.Shown().size(), 2u);

    // Another certificate for the site is asked about with a warning; No
    // ends the session before the user name is sent.
    UploadSettings::TrustFingerprint(Site(server), "00:11");
    ScopedMessageScript refusing({MessageAnswer::No});
    const std::string before = server.Log();
    {
        CUploadDlg dialog(state);
        Connect(dialog, server);
        EXPECT_TRUE(Status(dialog).isEmpty());
    }
    ASSERT_EQ(refusing.Shown().size(), 2u);
    EXPECT_EQ(refusing.Shown()[0].text.rfind("Warning:", 0), 0u);
    EXPECT_EQ(server.Log().find("USER", before.size()), std::string::npos);
    EXPECT_EQ(UploadSettings::TrustedFingerprint(Site(server)), "00:11");
}

}  // namespace
