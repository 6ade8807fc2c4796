#include "DirectoryWalk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

class Walker {
public:
    explicit Walker(CDirectoryWalk::Visitor& visitor) : visitor_(visitor) {}

    // Takes ownership of `fd`. False when the visitor ended the walk.
    bool WalkRoot(int fd, std::string path)
    {
        struct stat info {};
        if (::fstat(fd, &info) != 0) {
            ::close(fd);
            return true;
        }
        device_ = info.st_dev;
        return WalkFolder(fd, path);
    }

private:
    // Opens the sub-folder `name` of `parent` when it lies on the same drive
    // and is not the root of another mount (a bind mount of the same device).
    int OpenSubFolder(int parent, const char* name) const
    {
        const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            return -1;
        struct statx info {};
        const bool known = ::statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS, &info) == 0;
        const bool mountRoot = (info.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT)
                            && (info.stx_attributes & STATX_ATTR_MOUNT_ROOT);
        if (!known || mountRoot || makedev(info.stx_dev_major, info.stx_dev_minor) != device_) {
            ::close(fd);
            return -1;
        }
        return fd;
    }

    enum class Kind { Folder, RegularFile, Other };

    static Kind KindOf(int parent, const dirent& entry)
    {
        if (entry.d_type != DT_UNKNOWN)
            return entry.d_type == DT_DIR ? Kind::Folder : entry.d_type == DT_REG ? Kind::RegularFile : Kind::Other;
        struct stat info {};
        if (::fstatat(parent, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            return Kind::Other;
        return S_ISDIR(info.st_mode) ? Kind::Folder : S_ISREG(info.st_mode) ? Kind::RegularFile : Kind::Other;
    }

    bool WalkFolder(int fd, std::string& path)
    {
        DIR* folder = ::fdopendir(fd);
        if (!folder) {
            ::close(fd);
            return true;
        }
        visitor_.EnterFolder(path);
        bool going = true;
        const size_t length = path.size();
        while (const dirent* entry = ::readdir(folder)) {
            if (!visitor_.BeforeEntry()) {
                going = false;
                break;
            }
            const Kind kind = KindOf(::dirfd(folder), *entry);
            if (kind == Kind::Folder) {
                if (entry->d_name[0] == '.')
                    continue;
                const int child = OpenSubFolder(::dirfd(folder), entry->d_name);
                if (child < 0)
                    continue;
                path.append(entry->d_name).push_back('/');
                going = WalkFolder(child, path);
                path.resize(length);
                if (!going)
                    break;
            } else if (kind == Kind::RegularFile
                       && visitor_.RegularFile(path, entry->d_name) == CDirectoryWalk::Next::EndFolder) {
                break;
            }
        }
        ::closedir(folder);
        return going;
    }

    CDirectoryWalk::Visitor& visitor_;
    dev_t device_ = 0;
};

}  // namespace

bool CDirectoryWalk::Walk(const std::string& root, Visitor& visitor)
{
    const int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true;
    return Walker(visitor).WalkRoot(fd, root);
}
