#include "LibraryFolders.h"

#include "Paths.h"
#include "PlumetState.h"

#include <sys/stat.h>

void CreateLibraryFolders(PlumetState& state)
{
    if (state.ProgramFolder.empty())
        state.ProgramFolder = Paths::CurrentFolder();
    if (state.LibraryRoot.empty())
        state.LibraryRoot = Paths::Join(state.ProgramFolder, "File Manager");

    const std::string premium = Paths::Join(state.LibraryRoot, "Premium Content");
    const std::string folders[] = {
        state.LibraryRoot,
        premium,
        Paths::Join(premium, "Articles"),
        Paths::Join(premium, "Ads"),
        Paths::Join(state.LibraryRoot, "My Plumets"),
        Paths::Join(state.LibraryRoot, "My Content"),
    };
    for (const std::string& folder : folders)
        ::mkdir(folder.c_str(), 0777);  // failures are not reported
}
