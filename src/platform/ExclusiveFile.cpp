#include "ExclusiveFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

CExclusiveFile::CExclusiveFile(const std::string& path)
{
    if (path.empty())
        return;
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        created_ = fd >= 0;
    }
    if (fd < 0)
        return;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return;
    }
    path_ = path;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    fd_ = fd;
}

CExclusiveFile::~CExclusiveFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void CExclusiveFile::CutBack(off_t oldEnd)
{
    // A file made for this append goes again, unless another has taken its name.
    struct stat opened {}, named {};
    if (created_ && oldEnd == 0 && ::fstat(fd_, &opened) == 0 && ::stat(path_.c_str(), &named) == 0
        && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino && ::unlink(path_.c_str()) == 0)
        return;
    if (::ftruncate(fd_, oldEnd) != 0) {
        // Nothing more can be done for the file; the caller reports the failure.
    }
}

bool CExclusiveFile::AppendThroughMapping(const std::string& bytes)
{
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    const off_t oldEnd = info.st_size;
    const auto length = off_t(bytes.size());
    if (length == 0)
        return true;

    auto cutBack = [&] {
        CutBack(oldEnd);
        return false;
    };
    // Reserving the blocks first makes a full disk fail here, with an error,
    // rather than as a fault when the mapped page is written.
    if (::posix_fallocate(fd_, oldEnd, length) != 0)
        return cutBack();

    // Only the pages that hold the new end are mapped, so the cost does not
    // grow with the file.
    const off_t page = ::sysconf(_SC_PAGESIZE);
    const off_t base = oldEnd / page * page;
    const auto span = size_t(oldEnd + length - base);
    void* view = ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, base);
    if (view == MAP_FAILED)
        return cutBack();
    std::memcpy(static_cast<char*>(view) + (oldEnd - base), bytes.data(), bytes.size());
    const bool flushed = ::msync(view, span, MS_ASYNC) == 0;
    ::munmap(view, span);
    return flushed || cutBack();
}
