// Passive fallback, FTP over TLS and the published file replaced in one step,
// against vsftpd, pyftpdlib and scripted servers on 127.0.0.1.
#include "FtpClient.h"
#include "PyFtpServer.h"
#include "ScriptedFtpServer.h"
#include "TempFolder.h"
#include "VsftpdServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using Step = ScriptedFtpServer::Step;
using Commands = std::vector<std::string>;

const char* const kRemote = "pla1_0.exe";

std::string RandomBytes(size_t size, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(generator());
    return bytes;
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool Listed(const CFtpClient& client, const std::string& name)
{
    FtpDirEntry entry;
    for (int i = 0; client.GetEntry(i, entry) == 0; ++i) {
        if (name == entry.name)
            return true;
    }
    return false;
}

// The SHA-256 fingerprint of a certificate file, as the openssl tool prints it.
std::string FingerprintOf(const std::string& certificate)
{
    const std::string command = "openssl x509 -noout -fingerprint -sha256 -in '" + certificate + "'";
    std::FILE* output = popen(command.c_str(), "r");
    char line[256] = {};
    const bool read = output != nullptr && std::fgets(line, sizeof line, output) != nullptr;
    if (output != nullptr)
        pclose(output);
    const std::string text = read ? line : "";
    const size_t equals = text.find('=');
    return equals == std::string::npos ? "" : text.substr(equals + 1, text.find_last_not_of("\r\n") - equals);
}

class FtpSession : public ::testing::Test
{
protected:
    FtpSession() { WriteWholeFile(LocalFile(), m_content); }

    std::string LocalFile() const { return m_local.PathOf("stamped.exe"); }

    static void Prepare(CFtpClient& client, int port, FtpDataMode mode)
    {
        client.SetPort(port);
        client.SetReceiveTimeout(5000);
        client.SetDataMode(mode);
        client.SetReplaceInOneStep(true);
    }

    TempFolder m_local;
    const std::string m_content = RandomBytes(1024 * 1024 + 3, 23);
};

TEST_F(FtpSession, WithoutPortVsftpdListsAndUploadsThroughThePassiveFallback)
{
    VsftpdServer server({.portEnabled = false});
    ASSERT_NE(server.Port(), 0);
    WriteWholeFile(server.Home() + "/index.html", "<html></html>");
    WriteWholeFile(server.Home() + "/" + kRemote, "the old file");

    CFtpClient client;
    Prepare(client, server.Port(), FtpDataMode::ActiveFirst);
    ASSERT_EQ(client.Login("127.0.0.1", VsftpdServer::kUser, VsftpdServer::kPassword, ""), 0);
    EXPECT_FALSE(client.Passive());
    ASSERT_EQ(client.List(), 0);
    EXPECT_TRUE(Listed(client, "index.html"));
    EXPECT_TRUE(client.Passive());
    EXPECT_TRUE(client.PassiveWorked());
    ASSERT_EQ(client.SetType(1), 0);
    ASSERT_EQ(client.PutFile(LocalFile().c_str(), kRemote), 0);
    client.Quit();

    EXPECT_TRUE(ReadWholeFile(server.Home() + "/" + kRemote) == m_content);
    EXPECT_EQ(FilesIn(server.Home()), (std::vector<std::string>{"index.html", kRemote}));
    // PORT was tried once only: the upload went passive straight away.
    const std::string log = server.Log();
    EXPECT_NE(log.find("\"PORT "), std::string::npos);
    EXPECT_EQ(log.find("\"PORT ", log.find("\"PORT ") + 1), std::string::npos);
    EXPECT_NE(log.find("\"RNTO pla1_0.exe\""), std::string::npos);
}

TEST_F(FtpSession, ForcedModesDoNotFallBack)
{
    VsftpdServer server({.portEnabled = false});
    ASSERT_NE(server.Port(), 0);
    struct Case
    {
        FtpDataMode mode;
        int list;
        bool passive;
    } cases[] = {{FtpDataMode::ActiveOnly, 2, false}, {FtpDataMode::PassiveOnly, 0, true}, {FtpDataMode::PassiveFirst, 0, true}};
    for (const Case& c : cases) {
        CFtpClient client;
        Prepare(client, server.Port(), c.mode);
        ASSERT_EQ(client.Login("127.0.0.1", VsftpdServer::kUser, VsftpdServer::kPassword, ""), 0);
        EXPECT_EQ(client.List(), c.list) << static_cast<int>(c.mode);
        EXPECT_EQ(client.Passive(), c.passive) << static_cast<int>(c.mode);
    }
}

TEST_F(FtpSession, AServerThatNeverConnectsBackIsTriedOncePassively)
{
    TempFolder home;
    PyFtpServer server(home.Path(), {"silent-port"});
    ASSERT_NE(server.Port(), 0);
    CFtpClient client;
    Prepare(client, server.Port(), FtpDataMode::ActiveFirst);
    client.SetDataWaits(300, 300);
    ASSERT_EQ(client.Login("127.0.0.1", PyFtpServer::kUser, PyFtpServer::kPassword, ""), 0);
    ASSERT_EQ(client.SetType(1), 0);
    ASSERT_EQ(client.PutFile(LocalFile().c_str(), kRemote), 0);
    EXPECT_TRUE(client.PassiveWorked());
    EXPECT_TRUE(ReadWholeFile(home.PathOf(kRemote)) == m_content);
    // The replies the abandoned transfer owed did not answer later commands.
    EXPECT_EQ(client.List(), 0);
    EXPECT_TRUE(Listed(client, kRemote));
    EXPECT_EQ(client.Noop(), 0);
}

TEST_F(FtpSession, APassiveReplyNamingAnotherAddressIsNotFollowed)
{
    // The reply names 127.0.0.2, where nothing listens: only a client that
    // connects to the control connection's peer gets the listing.
    TempFolder home;
    WriteWholeFile(home.PathOf("index.html"), "x");
    PyFtpServer server(home.Path(), {"no-epsv", "pasv-elsewhere"});
    ASSERT_NE(server.Port(), 0);
    CFtpClient client;
    Prepare(client, server.Port(), FtpDataMode::PassiveOnly);
    ASSERT_EQ(client.Login("127.0.0.1", PyFtpServer::kUser, PyFtpServer::kPassword, ""), 0);
    ASSERT_EQ(client.List(), 0);
    EXPECT_TRUE(Listed(client, "index.html"));
}

TEST_F(FtpSession, ACutUploadLeavesThePublishedFileAsItWas)
{
    for (const FtpDataMode mode : {FtpDataMode::ActiveOnly, FtpDataMode::PassiveOnly}) {
        TempFolder home;
        const std::string published = RandomBytes(5000, 7);
        WriteWholeFile(home.PathOf(kRemote), published);
        PyFtpServer server(home.Path(), {"cut-upload"});
        ASSERT_NE(server.Port(), 0);
        CFtpClient client;
        Prepare(client, server.Port(), mode);
        ASSERT_EQ(client.Login("127.0.0.1", PyFtpServer::kUser, PyFtpServer::kPassword, ""), 0);
        ASSERT_EQ(client.SetType(1), 0);
        EXPECT_EQ(client.PutFile(LocalFile().c_str(), kRemote), 5);
        EXPECT_EQ(client.Noop(), 0);
        client.Quit();
        EXPECT_TRUE(ReadWholeFile(home.PathOf(kRemote)) == published);
        EXPECT_EQ(FilesIn(home.Path()), std::vector<std::string>{kRemote});
    }
}

TEST_F(FtpSession, AServerWithoutRenameGetsThePublishedFileStoredDirectly)
{
    TempFolder home;
    WriteWholeFile(home.PathOf(kRemote), "the old file");
    PyFtpServer server(home.Path(), {"no-rename"});
    ASSERT_NE(server.Port(), 0);
    CFtpClient client;
    Prepare(client, server.Port(), FtpDataMode::ActiveOnly);
    ASSERT_EQ(client.Login("127.0.0.1", PyFtpServer::kUser, PyFtpServer::kPassword, ""), 0);
    ASSERT_EQ(client.SetType(1), 0);
    ASSERT_EQ(client.PutFile(LocalFile().c_str(), kRemote), 0);
    client.Quit();
    EXPECT_TRUE(ReadWholeFile(home.PathOf(kRemote)) == m_content);
    EXPECT_EQ(FilesIn(home.Path()), std::vector<std::string>{kRemote});
}

// After the upload to the temporary name: the size check and the rename.
TEST_F(FtpSession, PublishingTheTemporaryFile)
{
    const std::string temporary = std::string(".") + kRemote + ".part";
    const std::string size = "213 " + std::to_string(m_content.size()) + "\r\n";
    struct Case
    {
        const char* name;
        std::vector<Step> replies;  // from SIZE on
        int result;
        Commands commands;  // from SIZE on
    };
    const Case cases[] = {
        {"Renamed", {{size}, {"350 ready\r\n"}, {"250 renamed\r\n"}}, 0,
         {"SIZE " + temporary, "RNFR " + temporary, "RNTO pla1_0.exe"}},
        {"NoSize", {{"502 no\r\n"}, {"350 ready\r\n"}, {"250 renamed\r\n"}}, 0,
         {"SIZE " + temporary, "RNFR " + temporary, "RNTO pla1_0.exe"}},
        {"SizeDiffers", {{"213 12\r\n"}, {"250 deleted\r\n"}}, 5, {"SIZE " + temporary, "DELE " + temporary}},
        {"NoOverwrite",
         {{size}, {"350 ready\r\n"}, {"553 exists\r\n"}, {"250 deleted\r\n"}, {"350 ready\r\n"}, {"250 renamed\r\n"}}, 0,
         {"SIZE " + temporary, "RNFR " + temporary, "RNTO pla1_0.exe", "DELE pla1_0.exe", "RNFR " + temporary,
          "RNTO pla1_0.exe"}},
        {"SecondRenameFails",
         {{size}, {"350 ready\r\n"}, {"553 exists\r\n"}, {"250 deleted\r\n"}, {"350 ready\r\n"}, {"553 no\r\n"}}, 5,
         {"SIZE " + temporary, "RNFR " + temporary, "RNTO pla1_0.exe", "DELE pla1_0.exe", "RNFR " + temporary,
          "RNTO pla1_0.exe"}},
        {"RenameRefused", {{size}, {"550 no\r\n"}, {"250 deleted\r\n"}}, 5,
         {"SIZE " + temporary, "RNFR " + temporary, "DELE " + temporary}},
    };
    for (const Case& c : cases) {
        std::vector<Step> steps = {{"230 in\r\n"}, {"200 a\r\n"}, {"200 s\r\n"}, {"200 f\r\n"}, {"200 port\r\n"},
                                   {"150 go\r\n", ScriptedFtpServer::ReceiveData(), "226 done\r\n"}};
        steps.insert(steps.end(), c.replies.begin(), c.replies.end());
        ScriptedFtpServer server({"220 ready\r\n", steps});
        {
            CFtpClient client;
            Prepare(client, server.Port(), FtpDataMode::ActiveOnly);
            client.SetReceiveTimeout(1000);
            ASSERT_EQ(client.Login("127.0.0.1", "user", "pw", ""), 0) << c.name;
            EXPECT_EQ(client.PutFile(LocalFile().c_str(), kRemote), c.result) << c.name;
        }
        Commands sent = server.Commands();
        ASSERT_GE(sent.size(), 6u + c.commands.size()) << c.name;
        EXPECT_EQ(sent[5], "STOR " + temporary + "\r\n") << c.name;
        for (size_t i = 0; i < c.commands.size(); ++i)
            EXPECT_EQ(sent[6 + i], c.commands[i] + "\r\n") << c.name;
        EXPECT_EQ(sent.back(), "Quit\r\n") << c.name;
        EXPECT_EQ(sent.size(), 7u + c.commands.size()) << c.name;
        EXPECT_TRUE(server.Uploaded() == m_content) << c.name;
    }
}

class FtpOverTls : public FtpSession
{
protected:
    VsftpdServer m_server{{.tls = true}};

    int Login(CFtpClient& client, std::vector<FtpCertificate>& asked, bool answer)
    {
        Prepare(client, m_server.Port(), FtpDataMode::ActiveOnly);
        client.SetSecurity(FtpSecurity::TlsRequired);
        client.SetCertificateCheck([&asked, answer](const FtpCertificate& certificate) {
            asked.push_back(certificate);
            return answer;
        });
        return client.Login("127.0.0.1", VsftpdServer::kUser, VsftpdServer::kPassword, "");
    }
};

TEST_F(FtpOverTls, AnUntrustedCertificateIsAskedAboutAndYesUploadsInBothModes)
{
    ASSERT_NE(m_server.Port(), 0);
    const std::string fingerprint = FingerprintOf(m_server.CertificateFile());
    ASSERT_EQ(fingerprint.size(), 95u);
    for (const FtpDataMode mode : {FtpDataMode::ActiveOnly, FtpDataMode::PassiveOnly}) {
        std::vector<FtpCertificate> asked;
        CFtpClient client;
        ASSERT_EQ(Login(client, asked, true), 0);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].host, "127.0.0.1");
        EXPECT_EQ(asked[0].fingerprint, fingerprint);
        EXPECT_TRUE(client.Secure());
        EXPECT_TRUE(client.DataProtected());

        client.SetDataMode(mode);
        ASSERT_EQ(client.SetType(1), 0);
        ASSERT_EQ(client.PutFile(LocalFile().c_str(), kRemote), 0) << static_cast<int>(mode) << m_server.Log();
        ASSERT_EQ(client.List(), 0) << m_server.Log();
        EXPECT_TRUE(Listed(client, kRemote));
        client.Quit();
        EXPECT_TRUE(ReadWholeFile(m_server.Home() + "/" + kRemote) == m_content);
        EXPECT_EQ(FilesIn(m_server.Home()), std::vector<std::string>{kRemote});
        std::filesystem::remove(m_server.Home() + "/" + kRemote);
    }
}

TEST_F(FtpOverTls, NoDisconnectsBeforeUser)
{
    ASSERT_NE(m_server.Port(), 0);
    std::vector<FtpCertificate> asked;
    CFtpClient client;
    EXPECT_EQ(Login(client, asked, false), 13);
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_FALSE(client.Secure());
    client.Quit();
    const std::string log = m_server.Log();
    EXPECT_NE(log.find("\"AUTH TLS\""), std::string::npos);
    EXPECT_EQ(log.find("USER"), std::string::npos);
}

TEST_F(FtpOverTls, ACertificateTheSystemTrustsIsNotAskedAbout)
{
    ASSERT_NE(m_server.Port(), 0);
    // The trusted certificates are looked up through this variable first.
    setenv("SSL_CERT_FILE", m_server.CertificateFile().c_str(), 1);
    std::vector<FtpCertificate> asked;
    CFtpClient client;
    const int login = Login(client, asked, false);
    unsetenv("SSL_CERT_FILE");
    EXPECT_EQ(login, 0);
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(client.Secure());
}

// A server that refuses AUTH TLS gets the plain dialogue unchanged, unless
// plain FTP is refused.
TEST(FtpTlsRefused, PlainDialogueOrNothing)
{
    for (const FtpSecurity security : {FtpSecurity::TlsWhenOffered, FtpSecurity::TlsRequired}) {
        const bool required = security == FtpSecurity::TlsRequired;
        ScriptedFtpServer server(
            {"220 ready\r\n", {{"500 AUTH not understood\r\n"}, {"331 pass\r\n"}, {"230 in\r\n"}, {"200 a\r\n"}, {"200 s\r\n"}, {"200 f\r\n"}}});
        {
            CFtpClient client;
            client.SetPort(server.Port());
            client.SetReceiveTimeout(1000);
            client.SetSecurity(security);
            EXPECT_EQ(client.Login("127.0.0.1", "user", "pw", ""), required ? 11 : 0);
            EXPECT_FALSE(client.Secure());
        }
        const Commands plain = {"AUTH TLS\r\n", "USER user\r\n", "PASS pw\r\n", "TYPE A\r\n", "MODE S\r\n", "STRU F\r\n", "Quit\r\n"};
        const Commands refused = {"AUTH TLS\r\n", "Quit\r\n"};
        EXPECT_EQ(server.Commands(), required ? refused : plain);
    }
}

}  // namespace

namespace {

// Replies sent in the clear after 234 are never taken for protected ones:
// the handshake with a server that does not speak TLS fails and the user
// name is never sent.
TEST(FtpTlsRefused, PlainTextAfter234IsNotAReply)
{
    ScriptedFtpServer server({"220 ready\r\n", {{"234 go ahead\r\n331 injected\r\n230 injected\r\n"}, {"500 what\r\n"}}, true});
    {
        CFtpClient client;
        client.SetPort(server.Port());
        client.SetReceiveTimeout(1000);
        client.SetSecurity(FtpSecurity::TlsWhenOffered);
        client.SetCertificateCheck([](const FtpCertificate&) { return true; });
        EXPECT_EQ(client.Login("127.0.0.1", "user", "pw", ""), 12);
        EXPECT_FALSE(client.Secure());
    }
    for (const std::string& command : server.Commands())
        EXPECT_EQ(command.find("USER"), std::string::npos);
}

}  // namespace
