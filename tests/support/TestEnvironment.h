#pragma once
#include "LoopbackHttpServer.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <string>

// A private temporary folder that is the current folder and holds the
// settings folders ($XDG_CONFIG_HOME, $XDG_CONFIG_DIRS) and the user's data
// folder ($XDG_DATA_HOME) for the life of the object; spelling uses the
// system's en_US dictionary whatever the locale. Everything is put back
// afterwards. The machine's settings point the
// content and maker's servers at a server on loopback that answers every
// request with an empty text page, so a program started here never reaches
// beyond this machine and never waits on the network (a test that writes the
// machine's "Brindlewick/Plumet Assistant.ini" itself replaces that).
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();

    std::string Folder() const;          // the current folder during the test
    std::string UserConfig() const;      // $XDG_CONFIG_HOME
    std::string MachineConfig() const;   // $XDG_CONFIG_DIRS
    std::string UserData() const;        // $XDG_DATA_HOME

    // Writes a settings file below the machine folder ("org/app.ini").
    void WriteMachineFile(const std::string& relative, const std::string& text) const;
    // Points the servers at these loopback ports instead, in the user's
    // settings, which come before the machine's.
    void PointServersAt(int contentPort, int makerPort) const;
    std::string ServerSettingsFile() const;  // the user's file PointServersAt writes

private:
    QTemporaryDir dir_;
    QByteArray oldFolder_;
    QByteArray oldConfigHome_;
    QByteArray oldConfigDirs_;
    QByteArray oldDataHome_;
    QByteArray oldDictionary_;
    QByteArray oldDictionaryPath_;
    LoopbackHttpServer quietServer_;
};

// The whole file, "" when missing.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
