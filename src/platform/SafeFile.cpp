#include "SafeFile.h"

#include "Paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <limits>

namespace SafeFile {

namespace {
// A crash between creating and renaming the temporary file leaves it behind,
// hidden and recognisable by its name.
constexpr const char* kTemporaryPrefix = ".plumet-save-";

// Where the bytes of `path` go: a link is followed, so the link stays.
std::string FinalPath(const std::string& path)
{
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

int WriteAll(int fd, const std::string& bytes)
{
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t done = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return done < 0 ? errno : EIO;
        written += static_cast<size_t>(done);
    }
    return 0;
}

// 0 or the errno that stopped the replacement.
int ReplaceOrFail(const std::string& path, const std::string& bytes)
{
    const std::string target = FinalPath(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return EISDIR;
    std::string temporary;
    const int fd = CreateUnique(Paths::FolderOf(target), kTemporaryPrefix, temporary);
    if (fd < 0)
        return errno;
    int failure = WriteAll(fd, bytes);
    if (failure == 0 && exists && fchmod(fd, old.st_mode & 07777) != 0)
        failure = errno;
    // The bytes are on the disk before the name points at them.
    if (failure == 0 && fsync(fd) != 0)
        failure = errno;
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    if (failure == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        failure = errno;
    if (failure != 0)
        ::unlink(temporary.c_str());
    return failure;
}
}  // namespace

int CreateUnique(const std::string& folder, const std::string& prefix, std::string& path)
{
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const std::string start = (folder.empty() ? std::string(".") : folder) + "/" + prefix;
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = start;
        for (int i = 0; i < 6; ++i)
            path += kLetters[arc4random_uniform(sizeof kLetters - 1)];
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool Replace(const std::string& path, const std::string& bytes, int* error)
{
    const int failure = ReplaceOrFail(path, bytes);
    if (error)
        *error = failure;
    return failure == 0;
}

bool ReplaceExisting(const std::string& path, const std::string& bytes)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return Replace(path, bytes);
}

bool ReadStart(const std::string& path, size_t limit, std::string& bytes)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    std::string read;
    if (ok)
        read.reserve(std::min(limit, static_cast<size_t>(info.st_size)));
    // A read that stops short must not pass for the whole file: callers write
    // what they read back over it.
    char chunk[64 * 1024];
    while (ok && read.size() < limit) {
        const ssize_t got = ::read(fd, chunk, std::min(sizeof chunk, limit - read.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        read.append(chunk, static_cast<size_t>(got));
    }
    close(fd);
    if (ok)
        bytes = std::move(read);
    return ok;
}

bool ReadAll(const std::string& path, std::string& bytes)
{
    return ReadStart(path, std::numeric_limits<size_t>::max(), bytes);
}

}  // namespace SafeFile
