#include "RecentFileList.h"
#include "ServerSettings.h"
#include "SettingsStore.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(SettingsStore, MachineKeyOpensOnlyWhenItsFileHoldsTheGroup)
{
    TestEnvironment env;
    EXPECT_FALSE(SettingsStore::MachineKeyOpens("Brindlewick", "Plumet Assistant", "Star"));
    env.WriteMachineFile("Brindlewick/Plumet Assistant.ini", "[Other]\nSponsor=A100\n");
    EXPECT_FALSE(SettingsStore::MachineKeyOpens("Brindlewick", "Plumet Assistant", "Star"));
    env.WriteMachineFile("Brindlewick/Plumet Assistant.ini", "[Star]\nSponsor=A100\n");
    EXPECT_TRUE(SettingsStore::MachineKeyOpens("Brindlewick", "Plumet Assistant", "Star"));
    EXPECT_EQ(SettingsStore::ReadMachineText("Brindlewick", "Plumet Assistant", "Star", "Sponsor"), "A100");
}

TEST(SettingsStore, ValuesThatAreMissingOrNotTextReadAsNothing)
{
    TestEnvironment env;
    env.WriteMachineFile("Brindlewick/Plumet Assistant.ini", "[Star]\nList=a, b\nOther=1\n");
    EXPECT_FALSE(SettingsStore::ReadMachineText("Brindlewick", "Plumet Assistant", "Star", "Sponsor"));
    EXPECT_FALSE(SettingsStore::ReadMachineText("Brindlewick", "Plumet Assistant", "Star", "List"));
}

TEST(SettingsStore, FoldersFollowTheEnvironment)
{
    TestEnvironment env;
    EXPECT_EQ(SettingsStore::UserFile("Local AppWizard-Generated Applications", "Plumet"),
              env.UserConfig() + "/Local AppWizard-Generated Applications/Plumet.ini");
    EXPECT_EQ(SettingsStore::MachineFile("Brindlewick", "Plumet Assistant"),
              env.MachineConfig() + "/Brindlewick/Plumet Assistant.ini");
}

TEST(RecentFileList, KeepsFourEntriesMostRecentFirstAcrossRuns)
{
    TestEnvironment env;
    {
        CRecentFileList list("Plumet", 4);
        list.Load();
        for (const char* path : {"/a", "/b", "/c", "/d", "/e", "/c"})
            list.Add(path);
        EXPECT_EQ(list.Files(), (std::vector<std::string>{"/c", "/e", "/d", "/b"}));
    }
    CRecentFileList again("Plumet", 4);
    again.Load();
    EXPECT_EQ(again.Files(), (std::vector<std::string>{"/c", "/e", "/d", "/b"}));
    again.Remove(0);
    EXPECT_EQ(again.Files(), (std::vector<std::string>{"/e", "/d", "/b"}));
    EXPECT_NE(ReadBytes(env.UserConfig() + "/Local AppWizard-Generated Applications/Plumet.ini").find("File1=/e"),
              std::string::npos);
}

TEST(ServerSettings, UserFileBeatsMachineFileBeatsDefaults)
{
    TestEnvironment env;
    std::filesystem::remove(env.MachineConfig() + "/Brindlewick/Plumet Assistant.ini");
    ServerSettings defaults = ServerSettings::Load();
    EXPECT_EQ(defaults.contentPort, 80);
    EXPECT_NE(defaults.contentHost.find(".example"), std::string::npos);

    env.WriteMachineFile("Brindlewick/Plumet Assistant.ini",
                         "[Servers]\nContentHost=machine.test\nContentPort=8080\nMakerHost=maker.test\n");
    std::filesystem::create_directories(env.UserConfig() + "/Brindlewick");
    WriteBytes(env.UserConfig() + "/Brindlewick/Plumet Assistant.ini",
               "[Servers]\nContentHost=127.0.0.1\nMakerPort=not-a-port\n");
    const ServerSettings s = ServerSettings::Load();
    EXPECT_EQ(s.contentHost, "127.0.0.1");
    EXPECT_EQ(s.contentPort, 8080);
    EXPECT_EQ(s.makerHost, "maker.test");
    EXPECT_EQ(s.makerPort, 80);
}
