#include "FolderListing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstring>
#include <memory>

namespace {

enum class Kind { Folder, File, LinkToFolder };

bool IsFolderAt(const std::string& path, bool followLink)
{
    struct stat info {};
    const int result = followLink ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
    return result == 0 && S_ISDIR(info.st_mode);
}

// The entry type usually comes with the listing; the file system is asked
// only when it does not say, or for a link.
Kind KindOf(const std::string& folder, const dirent& entry)
{
    switch (entry.d_type) {
    case DT_DIR:
        return Kind::Folder;
    case DT_LNK:
        return IsFolderAt(folder + "/" + entry.d_name, true) ? Kind::LinkToFolder : Kind::File;
    case DT_UNKNOWN: {
        const std::string path = folder + "/" + entry.d_name;
        if (IsFolderAt(path, false))
            return Kind::Folder;
        return IsFolderAt(path, true) ? Kind::LinkToFolder : Kind::File;
    }
    default:
        return Kind::File;
    }
}

}  // namespace

bool ListFolder(const std::string& path, FolderEntries& out)
{
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(path.c_str()), &::closedir);
    if (!dir)
        return false;
    FolderEntries entries;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        switch (KindOf(path, *entry)) {
        case Kind::Folder:
            entries.folders.emplace_back(entry->d_name);
            break;
        case Kind::File:
            entries.files.emplace_back(entry->d_name);
            break;
        case Kind::LinkToFolder:
            break;
        }
    }
    out = std::move(entries);
    return true;
}
