#include "LocalDrives.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>
#include <sys/stat.h>

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

struct Mount {
    std::string id, parent;
    std::string device;  // major:minor
    std::string root;    // the folder of the device that is mounted
    std::string folder;  // where it is mounted
    std::string type;
};

// Fields: mount id, parent id, major:minor, root, mount point, options, any
// optional fields, "-", file system type, source, super options.
bool ParseLine(const std::string& line, Mount& mount)
{
    std::istringstream fields(line);
    std::string options, field;
    if (!(fields >> mount.id >> mount.parent >> mount.device >> mount.root >> mount.folder >> options))
        return false;
    while (fields >> field && field != "-") {
    }
    if (field != "-" || !(fields >> mount.type))
        return false;
    mount.root = Unescape(mount.root);
    mount.folder = Unescape(mount.folder);
    // A NUL would make the folder looked up another than the one named.
    return mount.folder.front() == '/' && mount.folder.find('\0') == std::string::npos;
}

// Whether the folder `inner` is `outer` or lies below it.
bool Holds(const std::string& outer, const std::string& inner)
{
    return outer == "/" || inner == outer || (inner.size() > outer.size() && inner.compare(0, outer.size(), outer) == 0
                                              && inner[outer.size()] == '/');
}

// Whether a mount other than `except` covers the mount at `index`: one on
// top of it, one on the folder it sits in (or one holding that) of the same
// mount below, or one covering the mount it sits on.
bool Hidden(const std::vector<Mount>& mounts, size_t index, const Mount* except = nullptr, size_t depth = 0)
{
    const Mount& mount = mounts[index];
    for (const Mount& other : mounts) {
        const bool onTop = other.parent == mount.id && other.folder == mount.folder;
        const bool over = other.parent == mount.parent && other.folder != mount.folder && Holds(other.folder, mount.folder);
        if (&other != &mount && &other != except && (onTop || over))
            return true;
    }
    const auto below = std::find_if(mounts.begin(), mounts.end(), [&](const Mount& m) { return m.id == mount.parent; });
    // The depth bound keeps a table whose parents go round in a circle finite.
    return below != mounts.end() && depth < mounts.size()
           && Hidden(mounts, size_t(below - mounts.begin()), &mount, depth + 1);
}

bool IsFolder(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::vector<std::string> FromMountInfo(const std::string& table)
{
    std::vector<Mount> mounts;
    std::istringstream lines(table);
    for (std::string line; std::getline(lines, line);)
        if (Mount mount; ParseLine(line, mount))
            mounts.push_back(std::move(mount));

    std::vector<std::string> roots = {"/"};
    std::vector<const Mount*> shown;
    // The root drive is what the mount on "/" that nothing covers shows.
    for (size_t i = 0; i < mounts.size() && shown.empty(); ++i)
        if (mounts[i].folder == "/" && !Hidden(mounts, i))
            shown.push_back(&mounts[i]);
    for (size_t i = 0; i < mounts.size(); ++i) {
        const Mount& mount = mounts[i];
        const bool alreadyShown = std::any_of(shown.begin(), shown.end(), [&](const Mount* drive) {
            return drive->device == mount.device && Holds(drive->root, mount.root);
        });
        // A folder is searched once, even where a table shows two mounts on it.
        const std::string folder = mount.folder + "/";
        if (mount.folder == "/" || !IsDiskFileSystem(mount.type) || alreadyShown
            || std::find(roots.begin(), roots.end(), folder) != roots.end() || Hidden(mounts, i) || !IsFolder(mount.folder))
            continue;
        shown.push_back(&mount);
        roots.push_back(folder);
    }
    return roots;
}

std::vector<std::string> Roots()
{
    std::ifstream file("/proc/self/mountinfo");
    return FromMountInfo(std::string(std::istreambuf_iterator<char>(file), {}));
}

}  // namespace LocalDrives
