#include "RecentFileList.h"

#include "SettingsStore.h"

#include <QSettings>

#include <algorithm>

namespace {

const char* const kOrganisation = "Local AppWizard-Generated Applications";
const char* const kGroup = "Recent File List";

QString EntryKey(int index) { return QStringLiteral("File%1").arg(index + 1); }

}  // namespace

CRecentFileList::CRecentFileList(std::string application, int size)
    : application_(std::move(application)), size_(size)
{
}

void CRecentFileList::Add(const std::string& path)
{
    files_.erase(std::remove(files_.begin(), files_.end(), path), files_.end());
    files_.insert(files_.begin(), path);
    if (int(files_.size()) > size_)
        files_.resize(size_t(size_));
    Save();
}

void CRecentFileList::Remove(int index)
{
    if (index < 0 || index >= int(files_.size()))
        return;
    files_.erase(files_.begin() + index);
    Save();
}

void CRecentFileList::Load()
{
    QSettings settings(QString::fromLocal8Bit(SettingsStore::UserFile(kOrganisation, application_)),
                       QSettings::IniFormat);
    settings.beginGroup(kGroup);
    files_.clear();
    for (int i = 0; i < size_; ++i) {
        const QString entry = settings.value(EntryKey(i)).toString();
        if (!entry.isEmpty())
            files_.push_back(entry.toLocal8Bit().toStdString());
    }
}

void CRecentFileList::Save() const
{
    QSettings settings(QString::fromLocal8Bit(SettingsStore::UserFile(kOrganisation, application_)),
                       QSettings::IniFormat);
    settings.beginGroup(kGroup);
    settings.remove("");
    for (size_t i = 0; i < files_.size(); ++i)
        settings.setValue(EntryKey(int(i)), QString::fromLocal8Bit(files_[i]));
}
