#include "FileInformation.h"

#include "Paths.h"
#include "PlumetState.h"

#include <sys/stat.h>

namespace FileInformation {

namespace {
bool FileExists(const std::string& path)
{
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
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

Outcome Save(PlumetState& state, const Input& input)
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
    // A refused name such as "a/b" would make the next target folder "a".
    if (state.CurrentFilePath.empty() && !Paths::IsRefusedName(fileName))
        state.CurrentFilePath = Paths::Join(folder, fileName);

    ContentFile::Write(folder, fileName,
                       {state.ArticleName, state.AuthorName, state.DatePublished, state.Topic},
                       state.EditorText);
    return Outcome::Done;
}

}  // namespace FileInformation
