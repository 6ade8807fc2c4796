#include "SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>

namespace SafeFile {

namespace {
QString Native(const std::string& path) { return QString::fromLocal8Bit(path); }
}

bool Replace(const std::string& path, const std::string& bytes)
{
    const QString name = Native(path);
    if (QFileInfo(name).isDir())
        return false;
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool ReplaceExisting(const std::string& path, const std::string& bytes)
{
    const QFileInfo info(Native(path));
    if (!info.isFile())
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
