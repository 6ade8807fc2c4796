#include "Finder.h"

#include <cstdio>
#include <strings.h>

CFinder::CFinder(CFinderHost& host, std::string wantedName)
    : host_(host), wantedName_(std::move(wantedName))
{
}

bool CFinder::SearchDrives(const std::vector<std::string>& roots)
{
    matchCount_ = 0;
    // A root that cannot be opened contributes nothing; the ones after it are still searched.
    for (const std::string& root : roots)
        if (!SearchFolder(root))
            return false;
    return true;
}

bool CFinder::SearchFolder(const std::string& folder)
{
    return CDirectoryWalk::Walk(folder, *this);
}

void CFinder::EnterFolder(const std::string& path) { host_.ShowSearchedFolder(path); }

bool CFinder::BeforeEntry() { return host_.PumpMessages(); }

CDirectoryWalk::Next CFinder::RegularFile(const std::string& folder, const char* name)
{
    // There are no short names here: only the name itself is compared.
    if (::strcasecmp(name, wantedName_.c_str()) != 0)
        return CDirectoryWalk::Next::Continue;
    ++matchCount_;
    host_.ShowFoundFile(folder + name);
    return CDirectoryWalk::Next::EndFolder;
}

std::string SearchOutcomeText(int matchCount)
{
    if (matchCount <= 0)
        return "Done: (none found)";
    char text[64];
    std::snprintf(text, sizeof text, "Done: (%d occurences found)", matchCount);
    return text;
}
