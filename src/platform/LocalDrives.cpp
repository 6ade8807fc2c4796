#include "LocalDrives.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string_view>

namespace LocalDrives {
namespace {

constexpr std::array<std::string_view, 11> kDiskFileSystems = {
    "ext2", "ext3", "ext4", "xfs", "btrfs", "f2fs", "vfat", "exfat", "ntfs", "ntfs3", "zfs"};

bool IsDiskFileSystem(std::string_view type)
{
    return std::find(kDiskFileSystems.begin(), kDiskFileSystems.end(), type) != kDiskFileSystems.end();
}

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

// The table writes space, tab, newline and backslash as \ooo.
std::string Unescape(const std::string& field)
{
    std::string text;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1])
            && IsOctal(field[i + 2]) && IsOctal(field[i + 3])) {
            text.push_back(char((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
            i += 3;
        } else {
            text.push_back(field[i]);
        }
    }
    return text;
}

std::string AsRoot(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder.push_back('/');
    return folder;
}

}  // namespace

std::vector<std::string> FromMountTable(const std::string& table)
{
    struct Mount {
        std::string device, folder, type;
    };
    std::vector<Mount> mounts;
    std::istringstream lines(table);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        Mount mount;
        if (fields >> mount.device >> mount.folder >> mount.type)
            mounts.push_back({Unescape(mount.device), Unescape(mount.folder), mount.type});
    }

    std::vector<std::string> roots = {"/"};
    std::set<std::string> devices;
    for (const Mount& mount : mounts)
        if (mount.folder == "/")
            devices.insert(mount.device);
    for (const Mount& mount : mounts) {
        const std::string root = AsRoot(mount.folder);
        if (mount.folder.front() != '/' || !IsDiskFileSystem(mount.type)
            || std::find(roots.begin(), roots.end(), root) != roots.end()
            || !devices.insert(mount.device).second)
            continue;
        roots.push_back(root);
    }
    return roots;
}

std::vector<std::string> Roots()
{
    std::ifstream file("/proc/self/mounts");
    return FromMountTable(std::string(std::istreambuf_iterator<char>(file), {}));
}

}  // namespace LocalDrives
