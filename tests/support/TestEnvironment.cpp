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
}  // namespace

TestEnvironment::TestEnvironment()
    : oldFolder_(QDir::currentPath().toLocal8Bit()),
      oldConfigHome_(qgetenv("XDG_CONFIG_HOME")),
      oldConfigDirs_(qgetenv("XDG_CONFIG_DIRS")),
      quietServer_([](const std::string&) { return LoopbackHttpServer::Answer(""); })
{
    QDir(dir_.path()).mkpath("work");
    QDir(dir_.path()).mkpath("user-config");
    QDir(dir_.path()).mkpath("machine-config");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(UserConfig()));
    qputenv("XDG_CONFIG_DIRS", QByteArray::fromStdString(MachineConfig()));
    if (::chdir(Folder().c_str()) != 0)
        throw std::runtime_error("cannot enter the test folder");
    WriteMachineFile("Brindlewick/Plumet Assistant.ini", ServersGroup(quietServer_.Port(), quietServer_.Port()));
}

TestEnvironment::~TestEnvironment()
{
    [[maybe_unused]] const int ignored = ::chdir(oldFolder_.constData());
    qputenv("XDG_CONFIG_HOME", oldConfigHome_);
    qputenv("XDG_CONFIG_DIRS", oldConfigDirs_);
}

std::string TestEnvironment::Folder() const { return dir_.path().toStdString() + "/work"; }
std::string TestEnvironment::UserConfig() const { return dir_.path().toStdString() + "/user-config"; }
std::string TestEnvironment::MachineConfig() const { return dir_.path().toStdString() + "/machine-config"; }

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
