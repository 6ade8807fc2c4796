#include "FileInformation.h"

#include "Paths.h"
#include "PlumetState.h"

#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <cstring>

namespace FileInformation {

namespace {
bool FileExists(const std::string& path)
{
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Anything but a folder at `path` would be replaced by the save.
bool Replaceable(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first {};
    struct stat second {};
    if (::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    return a == b;
}

// Why a write failed, as the end of "The file could not be saved because ...".
std::string WriteFailureReason(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return "the folder it belongs in is no longer there";
    case EISDIR:
        return "a folder of that name is in the way";
    case EACCES:
    case EPERM:
    case EROFS:
        return "you are not allowed to write in that folder";
    case ENOSPC:
    case EDQUOT:
        return "the disk is full";
    case EFBIG:
        return "the file is larger than this system allows";
    case ENAMETOOLONG:
        return "the Article Name is too long for a file name";
    default: {
        std::string reason = std::strerror(error);
        if (!reason.empty())
            reason[0] = char(std::tolower(static_cast<unsigned char>(reason[0])));
        return "of an error: " + reason;
    }
    }
}
}  // namespace

ContentFile::Header Prefill(const PlumetState& state)
{
    if (!state.ArticleName.empty() && !state.AuthorName.empty() && !state.Topic.empty())
        return {state.ArticleName, state.AuthorName, std::string(), state.Topic};
    if (FileExists(state.CurrentFilePath)) {
        ContentFile::Header header = ContentFile::ReadForDialog(state.CurrentFilePath);
        header.datePublished.clear();
        return header;
    }
    return {};
}

std::string TargetFolder(const PlumetState& state)
{
    if (!state.CurrentFilePath.empty())
        return Paths::FolderOf(state.CurrentFilePath);
    if (!state.CurrentFolder.empty())
        return Paths::Join(state.ProgramFolder, state.CurrentFolder);
    return state.LibraryRoot;
}

Outcome Save(PlumetState& state, const Input& input, const Replacing& replacing, int* error)
{
    state.ArticleName = input.articleName;
    state.AuthorName = input.authorName;
    state.DialogDay = input.day;
    state.DialogMonth = input.month;
    state.DialogYear = input.year;
    state.DatePublished = ContentFile::DateText(state.DialogMonth, state.DialogDay, state.DialogYear);
    state.Topic = input.topic;

    if (state.ArticleName.empty() || state.AuthorName.empty() || state.Topic.empty())
        return Outcome::MissingFields;

    const std::string folder = TargetFolder(state);
    const std::string fileName = ContentFile::FileNameFor(state.ArticleName);
    const std::string path = Paths::Join(folder, fileName);
    if (!Paths::IsRefusedName(fileName) && !replacing.agreed && Replaceable(path)
        && !(FileExists(replacing.ownFile) && SameFile(path, replacing.ownFile)))
        return Outcome::AsksToReplace;

    int failure = 0;
    if (!ContentFile::Write(folder, fileName, {state.ArticleName, state.AuthorName, state.DatePublished, state.Topic},
                            state.EditorText, &failure)) {
        if (error)
            *error = failure;
        return Outcome::NotSaved;
    }
    if (state.CurrentFilePath.empty())
        state.CurrentFilePath = path;
    return Outcome::Saved;
}

std::string NotSavedMessage(int error)
{
    if (error == EINVAL)
        return "The file could not be saved because an Article Name cannot contain any of the characters "
               "\\ / : * \" < > | or a control character such as a tab.";
    return "The file could not be saved because " + WriteFailureReason(error) + ".";
}

std::string ReplaceQuestion(const std::string& articleName)
{
    return "An article named '" + articleName + "' already exists in this folder.  Do you wish to replace it?";
}

}  // namespace FileInformation
