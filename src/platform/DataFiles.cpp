#include "DataFiles.h"

#include "Paths.h"

#include <QCoreApplication>
#include <QDir>

#include <sys/stat.h>
#include <unistd.h>

namespace DataFiles {
namespace {
bool IsReadableFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), R_OK) == 0;
}
}  // namespace

std::string DataFolder()
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/plumet");
    return QDir::cleanPath(folder).toLocal8Bit().toStdString();
}

std::string Find(const std::string& name)
{
    if (name.empty())
        return {};
    for (const std::string& folder : {Paths::CurrentFolder(), DataFolder()}) {
        const std::string path = Paths::Join(folder, name);
        if (IsReadableFile(path))
            return path;
    }
    return {};
}

}  // namespace DataFiles
