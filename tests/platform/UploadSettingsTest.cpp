#include "SettingsStore.h"
#include "TestEnvironment.h"
#include "UploadSettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

void WriteUserFile(const std::string& text)
{
    const std::string path = SettingsStore::UserFile("Brindlewick", "Stamper");
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << text;
}

}  // namespace

TEST(UploadSettings, DataModeAndPlainFtpAreReadFromTheUsersFile)
{
    struct Case
    {
        const char* text;
        UploadSettings::DataMode mode;
        bool refusesPlain;
    } cases[] = {
        {"", UploadSettings::DataMode::Automatic, false},
        {"[Upload]\nDataMode=active\n", UploadSettings::DataMode::Active, false},
        {"[Upload]\nDataMode=Passive\nRefusePlainFtp=true\n", UploadSettings::DataMode::Passive, true},
        {"[Upload]\nDataMode=sideways\nRefusePlainFtp=false\n", UploadSettings::DataMode::Automatic, false},
    };
    for (const auto& c : cases) {
        TestEnvironment env;
        WriteUserFile(c.text);
        EXPECT_EQ(UploadSettings::ForcedDataMode(), c.mode) << c.text;
        EXPECT_EQ(UploadSettings::RefusesPlainFtp(), c.refusesPlain) << c.text;
    }
}

TEST(UploadSettings, SitesAreRememberedEachOnItsOwn)
{
    TestEnvironment env;
    const std::string site = "ftp.example.org:21";
    const std::string other = "ftp.example.org:2121";
    EXPECT_FALSE(UploadSettings::PassiveWorked(site));
    EXPECT_FALSE(UploadSettings::TrustedFingerprint(site));

    UploadSettings::RememberPassive(site);
    UploadSettings::TrustFingerprint(site, "AB:CD");
    UploadSettings::TrustFingerprint("odd/host:21", "EF");
    EXPECT_TRUE(UploadSettings::PassiveWorked(site));
    EXPECT_FALSE(UploadSettings::PassiveWorked(other));
    EXPECT_EQ(UploadSettings::TrustedFingerprint(site), "AB:CD");
    EXPECT_FALSE(UploadSettings::TrustedFingerprint(other));
    EXPECT_EQ(UploadSettings::TrustedFingerprint("odd/host:21"), "EF");

    UploadSettings::TrustFingerprint(site, "12:34");
    EXPECT_EQ(UploadSettings::TrustedFingerprint(site), "12:34");
}
