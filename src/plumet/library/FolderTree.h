#pragma once
#include <string>
#include <vector>

// The library's folders on disk, as the folder tree shows and changes them.
namespace FolderTree {

struct Node {
    std::string label;  // the folder's name
    std::vector<Node> children;
};

// The tree's sibling order: letters compared without regard to case, ties
// broken by the bytes so the order is total.
bool LabelLess(const std::string& a, const std::string& b);

// Every folder below root at any depth, each level sorted by label. Symbolic
// links are not followed. False when root itself cannot be listed.
bool Read(const std::string& root, std::vector<Node>& out);

// Makes parent/name. False when the name is one the platform refuses or the
// folder cannot be made (it exists already, no right to write, ...).
bool MakeFolder(const std::string& parent, const std::string& name);

// Renames parent/oldName to parent/newName. False, with nothing changed, when
// the new name is refused or already in use, or the rename fails.
bool RenameFolder(const std::string& parent, const std::string& oldName, const std::string& newName);

// Removes the folder with everything in it. A symbolic link is removed
// itself, never what it points to. Goes on past failures and reports
// whether everything went.
bool RemoveAll(const std::string& path);

}  // namespace FolderTree
