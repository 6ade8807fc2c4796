#include "SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

bool ReadAll(const std::string& path, std::string& bytes)
{
    QFile file(Native(path));
    if (QFileInfo(file).isDir() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray all = file.readAll();
    // A read that stopped short must not pass for the whole file: callers
    // write what they read back over it.
    if (file.error() != QFileDevice::NoError || all.size() != file.size())
        return false;
    bytes.assign(all.constData(), size_t(all.size()));
    return true;
}

}  // namespace SafeFile
