#include "ShellOpen.h"

#include "DataFiles.h"

#include <QDesktopServices>
#include <QUrl>

#include <utility>

namespace {
ShellOpenHandler& Handler()
{
    static ShellOpenHandler handler;
    return handler;
}

void Open(const QUrl& url)
{
    if (Handler())
        Handler()(url.toString(QUrl::FullyEncoded).toStdString());
    else
        QDesktopServices::openUrl(url);
}
}  // namespace

ShellOpenHandler SetShellOpenHandler(ShellOpenHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}

void ShellOpenUrl(const std::string& url)
{
    Open(QUrl(QString::fromLocal8Bit(url), QUrl::TolerantMode));
}

bool ShellOpenDocument(const std::string& name)
{
    const std::string path = DataFiles::Find(name);
    if (path.empty())
        return false;
    Open(QUrl::fromLocalFile(QString::fromLocal8Bit(path)));
    return true;
}
