#pragma once
#include <string>
#include <vector>

// One folder's entries, names only, in the order the platform lists them.
struct FolderEntries {
    // Real sub-folders; symbolic links are never among them, so a walk over
    // them cannot leave the tree or loop.
    std::vector<std::string> folders;
    // Everything that is not a folder, hidden entries too. A link that points
    // at a folder counts as a folder to the user and is in neither list.
    std::vector<std::string> files;
};

// False, with out untouched, when the folder cannot be listed.
bool ListFolder(const std::string& path, FolderEntries& out);
