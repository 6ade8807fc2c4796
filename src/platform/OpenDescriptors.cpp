#include "OpenDescriptors.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

// The number a /proc entry is named by, or -1 for any other name.
long NumberNamed(const char* name)
{
    char* end = nullptr;
    const long number = std::strtol(name, &end, 10);
    return name[0] >= '0' && name[0] <= '9' && *end == '\0' ? number : -1;
}

// Whether one of the process's descriptors (its /proc/<pid>/fd folder, taken
// over) names the file, leaving out `ownFd` (-1 for none).
bool HoldsFile(int descriptorFolder, const struct stat& file, long ownFd)
{
    DIR* folder = ::fdopendir(descriptorFolder);
    if (!folder) {
        ::close(descriptorFolder);
        return false;
    }
    bool holds = false;
    while (const dirent* entry = ::readdir(folder)) {
        const long number = NumberNamed(entry->d_name);
        struct stat named {};
        // The entry is a link to what the descriptor has open; stat follows it.
        if (number >= 0 && number != ownFd && ::fstatat(::dirfd(folder), entry->d_name, &named, 0) == 0
            && named.st_dev == file.st_dev && named.st_ino == file.st_ino) {
            holds = true;
            break;
        }
    }
    ::closedir(folder);
    return holds;
}

}  // namespace

bool IsOpenElsewhere(int fd)
{
    struct stat file {};
    if (::fstat(fd, &file) != 0)
        return true;
    DIR* processes = ::opendir("/proc");
    if (!processes)
        return false;
    const long self = ::getpid();
    bool open = false;
    while (const dirent* entry = ::readdir(processes)) {
        const long pid = NumberNamed(entry->d_name);
        if (pid < 0)
            continue;
        const std::string folder = std::string(entry->d_name) + "/fd";
        const int descriptors = ::openat(::dirfd(processes), folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (descriptors >= 0 && HoldsFile(descriptors, file, pid == self ? fd : -1)) {
            open = true;
            break;
        }
    }
    ::closedir(processes);
    return open;
}
