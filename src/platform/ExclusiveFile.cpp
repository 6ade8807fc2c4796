#include "ExclusiveFile.h"

#include "OpenDescriptors.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>

CExclusiveFile::CExclusiveFile(const std::string& path, FinalLink finalLink)
{
    if (path.empty())
        return;
    const int noLink = finalLink == FinalLink::Refuse ? O_NOFOLLOW : 0;
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | noLink);
    if (fd < 0 && errno == ENOENT) {
        // O_EXCL never follows a link, so a dangling one makes nothing.
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        created_ = fd >= 0;
    }
    if (fd < 0)
        return;
    if (!TakeSoleUse(fd) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ReleaseLease(fd);
        ::close(fd);
        return;
    }
    path_ = path;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    fd_ = fd;
}

namespace {

// Network file systems refuse a write lease with EAGAIN whenever the server
// has not delegated the file to this client, open elsewhere or not; only
// there the refusal says nothing about other descriptors.
bool RefusesLeasesRegardless(int fd)
{
    constexpr long kSmbMagic = 0xFE534D42, kCifsMagic = 0xFF534D42;
    struct statfs system {};
    return ::fstatfs(fd, &system) == 0
           && (system.f_type == NFS_SUPER_MAGIC || system.f_type == kSmbMagic || system.f_type == kCifsMagic);
}

}  // namespace

bool CExclusiveFile::TakeSoleUse(int fd)
{
    // Another process's open breaks the lease by signalling the holder, whose
    // default action for that signal is to end. The opener waits for the
    // lease to go instead, so the signal has nothing to say here.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGIO, &ignore, &signalBeforeLease_);
    if (::fcntl(fd, F_SETLEASE, F_WRLCK) == 0) {
        leased_ = true;
        return true;
    }
    const int refusal = errno;
    ::sigaction(SIGIO, &signalBeforeLease_, nullptr);
    // EAGAIN: another descriptor of the file is open somewhere.
    return (refusal != EAGAIN || RefusesLeasesRegardless(fd)) && !IsOpenElsewhere(fd);
}

void CExclusiveFile::ReleaseLease(int fd)
{
    if (!leased_)
        return;
    ::fcntl(fd, F_SETLEASE, F_UNLCK);
    ::sigaction(SIGIO, &signalBeforeLease_, nullptr);
    leased_ = false;
}

CExclusiveFile::~CExclusiveFile()
{
    if (fd_ < 0)
        return;
    ReleaseLease(fd_);
    ::close(fd_);
}

void CExclusiveFile::PutBack(const struct stat& before)
{
    // A file made for this append goes again, unless another has taken its name.
    struct stat named {};
    if (created_ && before.st_size == 0 && ::stat(path_.c_str(), &named) == 0
        && named.st_dev == before.st_dev && named.st_ino == before.st_ino && ::unlink(path_.c_str()) == 0)
        return;
    // Cutting back stamps the file with the present time even when nothing
    // was added, so the times it had come back afterwards.
    const timespec times[2] = {before.st_atim, before.st_mtim};
    if (::ftruncate(fd_, before.st_size) != 0 || ::futimens(fd_, times) != 0) {
        // Nothing more can be done for the file; the caller reports the failure.
    }
}

bool CExclusiveFile::AppendInOneWrite(const std::string& bytes, WriteCall write)
{
    struct stat before {};
    if (fd_ < 0 || ::fstat(fd_, &before) != 0 || !S_ISREG(before.st_mode))
        return false;
    if (bytes.empty())
        return true;
    if (write(fd_, bytes.data(), bytes.size(), before.st_size) == ssize_t(bytes.size()))
        return true;
    PutBack(before);
    return false;
}
