#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fstream>
#include <iterator>

#include <unistd.h>

namespace {
std::string ServersGroup(int contentPort, int makerPort)
{
    return "[Servers]\nContentHost=127.0.0.1\nContentPort=" + std::to_string(contentPort)
           + "\nMakerHost=127.0.0.1\nMakerPort=" + std::to_string(makerPort) + "\n";
}
// A variable that was not set is unset again, not left empty.
void Restore(const char* name, const QByteArray& old)
{
    if (old.isNull())
        qunsetenv(name);
    else
        qputenv(name, old);
}

}  // namespace

TestEnvironment::TestEnvironment()
    : oldFolder_(QDir::currentPath().toLocal8Bit()),
      oldConfigHome_(qgetenv("XDG_CONFIG_HOME")),
      oldConfigDirs_(qgetenv("XDG_CONFIG_DIRS")),
      oldDataHome_(qgetenv("XDG_DATA_HOME")),
      oldDictionary_(qgetenv("DICTIONARY")),
      oldDictionaryPath_(qgetenv("DICPATH")),
      quietServer_([](const std::string&) { return LoopbackHttpServer::Answer(""); })
{
    QDir(dir_.path()).mkpath("work");
    QDir(dir_.path()).mkpath("user-config");
    QDir(dir_.path()).mkpath("machine-config");
    QDir(dir_.path()).mkpath("user-data");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(UserConfig()));
    qputenv("XDG_CONFIG_DIRS", QByteArray::fromStdString(MachineConfig()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(UserData()));
    qputenv("DICTIONARY", "en_US");
    qunsetenv("DICPATH");
    if (::chdir(Folder().c_str()) != 0)
        throw std::runtime_error("cannot enter the test folder");
    WriteMachineFile("Brindlewick/Plumet Assistant.ini", ServersGroup(quietServer_.Port(), quietServer_.Port()));
}

TestEnvironment::~TestEnvironment()
{
    [[maybe_unused]] const int ignored = ::chdir(oldFolder_.constData());
    qputenv("XDG_CONFIG_HOME", oldConfigHome_);
    qputenv("XDG_CONFIG_DIRS", oldConfigDirs_);
    Restore("XDG_DATA_HOME", oldDataHome_);
    Restore("DICTIONARY", oldDictionary_);
    Restore("DICPATH", oldDictionaryPath_);
}

std::string TestEnvironment::Folder() const { return dir_.path().toStdString() + "/work"; }
std::string TestEnvironment::UserConfig() const { return dir_.path().toStdString() + "/user-config"; }
std::string TestEnvironment::MachineConfig() const { return dir_.path().toStdString() + "/machine-config"; }
std::string TestEnvironment::UserData() const { return dir_.path().toStdString() + "/user-data"; }

void TestEnvironment::WriteMachineFile(const std::string& relative, const std::string& text) const
{
    const QString path = QString::fromStdString(MachineConfig() + "/" + relative);
    QDir().mkpath(QFileInfo(path).path());
    WriteBytes(path.toStdString(), text);
}

std::string TestEnvironment::ServerSettingsFile() const
{
    return UserConfig() + "/Brindlewick/Plumet Assistant.ini";
}

void TestEnvironment::PointServersAt(int contentPort, int makerPort) const
{
    QDir().mkpath(QString::fromStdString(UserConfig() + "/Brindlewick"));
    WriteBytes(ServerSettingsFile(), ServersGroup(contentPort, makerPort));
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}
