#pragma once
#include <QByteArray>
#include <QTemporaryDir>

#include <string>

// A private temporary folder that is the current folder and holds the
// settings folders ($XDG_CONFIG_HOME, $XDG_CONFIG_DIRS) for the life of the
// object; everything is put back afterwards.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();

    std::string Folder() const;          // the current folder during the test
    std::string UserConfig() const;      // $XDG_CONFIG_HOME
    std::string MachineConfig() const;   // $XDG_CONFIG_DIRS

    // Writes a settings file below the machine folder ("org/app.ini").
    void WriteMachineFile(const std::string& relative, const std::string& text) const;

private:
    QTemporaryDir dir_;
    QByteArray oldFolder_;
    QByteArray oldConfigHome_;
    QByteArray oldConfigDirs_;
};

// The whole file, "" when missing.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
