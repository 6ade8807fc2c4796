#include "SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <cstdlib>

namespace SettingsStore {

namespace {

std::string FromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string FileIn(const std::string& folder, const std::string& organisation,
                   const std::string& application)
{
    return folder + "/" + organisation + "/" + application + ".ini";
}

}  // namespace

std::string MachineFolder()
{
    std::string dirs = FromEnvironment("XDG_CONFIG_DIRS");
    const auto colon = dirs.find(':');
    if (colon != std::string::npos)
        dirs.resize(colon);
    return dirs.empty() ? std::string("/etc/xdg") : dirs;
}

std::string UserFolder()
{
    const std::string home = FromEnvironment("XDG_CONFIG_HOME");
    if (!home.empty())
        return home;
    return QDir::homePath().toStdString() + "/.config";
}

std::string UserDataFolder()
{
    const std::string data = FromEnvironment("XDG_DATA_HOME");
    if (!data.empty())
        return data;
    return QDir::homePath().toStdString() + "/.local/share";
}

std::string MachineFile(const std::string& organisation, const std::string& application)
{
    return FileIn(MachineFolder(), organisation, application);
}

std::string UserFile(const std::string& organisation, const std::string& application)
{
    return FileIn(UserFolder(), organisation, application);
}

bool MachineKeyOpens(const std::string& organisation, const std::string& application,
                     const std::string& group)
{
    const QString path = QString::fromLocal8Bit(MachineFile(organisation, application));
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return false;
    QSettings settings(path, QSettings::IniFormat);
    return settings.status() == QSettings::NoError
        && settings.childGroups().contains(QString::fromLocal8Bit(group));
}

std::optional<std::string> ReadMachineText(const std::string& organisation,
                                           const std::string& application,
                                           const std::string& group,
                                           const std::string& name)
{
    if (!MachineKeyOpens(organisation, application, group))
        return std::nullopt;
    QSettings settings(QString::fromLocal8Bit(MachineFile(organisation, application)),
                       QSettings::IniFormat);
    settings.beginGroup(QString::fromLocal8Bit(group));
    const QVariant value = settings.value(QString::fromLocal8Bit(name));
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString().toLocal8Bit().toStdString();
}

}  // namespace SettingsStore
