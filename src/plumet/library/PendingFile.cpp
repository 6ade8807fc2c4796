#include "PendingFile.h"

#include "SafeFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
std::string DescriptorPath(int fd)
{
    return "/proc/self/fd/" + std::to_string(fd);
}

bool Exists(const std::string& path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

// A link never replaces a name; file systems without hard links get a rename
// that refuses to replace, or, where even that is missing, a test first.
bool NameHiddenFile(const std::string& hidden, const std::string& path)
{
    if (link(hidden.c_str(), path.c_str()) == 0) {
        unlink(hidden.c_str());
        return true;
    }
    if (errno == EEXIST)
        return false;
    if (renameat2(AT_FDCWD, hidden.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    return errno == EINVAL && !Exists(path) && std::rename(hidden.c_str(), path.c_str()) == 0;
}
}  // namespace

CPendingFile::CPendingFile(const std::string& folder, bool unnamed)
{
    if (unnamed) {
        // 0666 less the umask, as for any file the user saves.
        fd_ = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
        // Without /proc the file could neither be written by path nor named.
        if (fd_ >= 0 && access(DescriptorPath(fd_).c_str(), W_OK) != 0) {
            close(fd_);
            fd_ = -1;
        }
        if (fd_ >= 0) {
            writePath_ = DescriptorPath(fd_);
            return;
        }
    }
    fd_ = SafeFile::CreateUnique(folder, kHiddenPrefix, hiddenPath_);
    if (fd_ >= 0)
        writePath_ = hiddenPath_;
    else
        hiddenPath_.clear();
}

CPendingFile::~CPendingFile()
{
    if (fd_ >= 0)
        close(fd_);
    if (!hiddenPath_.empty())
        unlink(hiddenPath_.c_str());
}

int64_t CPendingFile::Size() const
{
    struct stat info {};
    return fd_ >= 0 && fstat(fd_, &info) == 0 ? int64_t(info.st_size) : -1;
}

bool CPendingFile::ReadAll(size_t limit, std::string& bytes) const
{
    const int64_t size = Size();
    if (size < 0 || uint64_t(size) > limit)
        return false;
    std::string read(size_t(size), '\0');
    size_t done = 0;
    while (done < read.size()) {
        const ssize_t got = pread(fd_, read.data() + done, read.size() - done, off_t(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += size_t(got);
    }
    bytes = std::move(read);
    return true;
}

bool CPendingFile::Publish(const std::string& path)
{
    if (fd_ < 0)
        return false;
    if (hiddenPath_.empty())
        return linkat(AT_FDCWD, writePath_.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
    if (!NameHiddenFile(hiddenPath_, path))
        return false;
    hiddenPath_.clear();
    return true;
}

void RemoveLeftovers(const std::string& folder)
{
    DIR* listing = opendir(folder.c_str());
    if (!listing)
        return;
    const size_t prefixLength = std::strlen(CPendingFile::kHiddenPrefix);
    while (const dirent* entry = readdir(listing)) {
        if (std::strncmp(entry->d_name, CPendingFile::kHiddenPrefix, prefixLength) != 0)
            continue;
        // Only files: a folder of that name is the user's.
        struct stat info {};
        if (fstatat(dirfd(listing), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
            unlinkat(dirfd(listing), entry->d_name, 0);
    }
    closedir(listing);
}
