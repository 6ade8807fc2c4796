#pragma once
#include <optional>
#include <string>

// Where the settings files live. Machine-wide files stand for the machine's
// registry hive and live below the first folder of $XDG_CONFIG_DIRS (default
// /etc/xdg); per-user files live below $XDG_CONFIG_HOME (default ~/.config).
// Both are read from the environment on every call so tests can redirect them.
namespace SettingsStore {

std::string MachineFolder();
std::string UserFolder();
// The user's data files: $XDG_DATA_HOME (default ~/.local/share).
std::string UserDataFolder();

// <folder>/<organisation>/<application>.ini
std::string MachineFile(const std::string& organisation, const std::string& application);
std::string UserFile(const std::string& organisation, const std::string& application);

// The machine-wide key organisation/application/group "opens" when its file
// exists, is readable and holds the group.
bool MachineKeyOpens(const std::string& organisation, const std::string& application,
                     const std::string& group);

// A text value of that key; nothing when the key does not open, the value is
// missing or the value is not text.
std::optional<std::string> ReadMachineText(const std::string& organisation,
                                           const std::string& application,
                                           const std::string& group,
                                           const std::string& name);

}  // namespace SettingsStore
