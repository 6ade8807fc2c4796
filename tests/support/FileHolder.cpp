#include "FileHolder.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

FileHolder::FileHolder(const std::string& path, Kind kind, uid_t user)
{
    if (::pipe(toParent_) != 0 || ::pipe(toChild_) != 0)
        throw std::runtime_error("no pipe");
    child_ = ::fork();
    if (child_ == 0)
        ::_exit(Hold(path, kind, user));
    char ready = 0;
    held_ = ::read(toParent_[0], &ready, 1) == 1 && ready == 'y';
}

FileHolder::~FileHolder() { Release(); }

int FileHolder::Release()
{
    int lines = -1;
    if (child_ <= 0)
        return lines;
    if (::write(toChild_[1], "x", 1) != 1 || ::read(toParent_[0], &lines, sizeof lines) != sizeof lines)
        lines = -1;
    ::waitpid(child_, nullptr, 0);
    child_ = -1;
    for (int fd : {toParent_[0], toParent_[1], toChild_[0], toChild_[1]})
        ::close(fd);
    return lines;
}

std::string FileHolder::Written(int lines)
{
    std::string all;
    for (int i = 0; i < lines; ++i)
        all += kLine;
    return all;
}

int FileHolder::Hold(const std::string& path, Kind kind, uid_t user)
{
    // Another user's process stays readable in /proc for that user.
    if (::geteuid() != user && (::setuid(user) != 0 || ::prctl(PR_SET_DUMPABLE, 1) != 0))
        return 1;
    const bool writes = kind == Kind::AppendingWriter;
    const int fd = ::open(path.c_str(), writes ? O_WRONLY | O_APPEND : O_RDONLY);
    const auto length = ssize_t(std::strlen(kLine));
    int lines = 0;
    auto append = [&] { lines += ::write(fd, kLine, size_t(length)) == length; };
    if (writes)
        append();
    if (::write(toParent_[1], fd >= 0 ? "y" : "n", 1) != 1 || fd < 0)
        return 1;
    for (pollfd told{toChild_[0], POLLIN, 0}; ::poll(&told, 1, writes ? 1 : -1) == 0;)
        append();
    ::close(fd);
    return ::write(toParent_[1], &lines, sizeof lines) == sizeof lines ? 0 : 1;
}
