#include "LoadContentFile.h"

#include "ContentFile.h"
#include "Paths.h"
#include "PlumetState.h"
#include "SafeFile.h"
#include "SettingsStore.h"
#include "SponsorSubstitution.h"

#include <iterator>
#include <optional>
#include <vector>

namespace {

// The machine-wide key the sponsor value is installed under.
constexpr const char* kSponsorOrganisation = "Brindlewick";
constexpr const char* kSponsorApplication = "Plumet Assistant";
constexpr const char* kSponsorGroup = "Star";
constexpr const char* kSponsorValue = "Sponsor";

void SetHeaderFields(PlumetState& state, const std::vector<std::string>& lines)
{
    std::string* const fields[] = {&state.ArticleName, &state.AuthorName, &state.DatePublished,
                                   &state.Topic};
    for (std::size_t i = 0; i < std::size(fields); ++i)
        *fields[i] = i < lines.size() ? lines[i] : std::string();
}

std::optional<std::string> SponsorToken()
{
    return BuildSponsorToken(SettingsStore::ReadMachineText(kSponsorOrganisation, kSponsorApplication,
                                                            kSponsorGroup, kSponsorValue));
}

}  // namespace

LoadOutcome LoadContentFile(PlumetState& state, const std::string& path)
{
    state.EditorText.clear();
    if (path.empty())
        return LoadOutcome::NothingRead;
    const std::string fullPath = Paths::Resolve(state.ProgramFolder, path);
    std::string bytes;
    if (!SafeFile::ReadAll(fullPath, bytes))
        return LoadOutcome::NothingRead;

    const std::string text = ContentFile::FromStored(bytes);
    SetHeaderFields(state, ContentFile::Lines(text));
    ContentFile::Split split = ContentFile::SplitHeaderBody(text);
    if (split.body.empty())
        return LoadOutcome::NoBody;

    if (const std::optional<std::string> token = SponsorToken())
        split.body = ReplaceSponsorPlaceholder(split.body, *token);
    // The body takes CR LF breaks only when the file took them too: kept
    // after a failed write, they would be stored as CR CR LF by the next save.
    // A failed write leaves the old file whole; the pane still shows the body.
    const std::string written = BodyForWriteBack(split.body);
    const bool wroteBack = SafeFile::ReplaceExisting(fullPath, ContentFile::ToStored(split.headerText + written));
    state.EditorText = wroteBack ? written : split.body;
    return LoadOutcome::Loaded;
}
