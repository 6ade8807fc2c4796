#include "FolderTree.h"

#include "FolderListing.h"
#include "Paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace FolderTree {

namespace {

unsigned char Folded(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// A sub-folder that cannot be listed simply shows no children.
bool ReadChildren(const std::string& path, std::vector<Node>& children)
{
    FolderEntries entries;
    if (!ListFolder(path, entries))
        return false;
    children.reserve(entries.folders.size());
    for (std::string& name : entries.folders) {
        Node node{std::move(name), {}};
        ReadChildren(Paths::Join(path, node.label), node.children);
        children.push_back(std::move(node));
    }
    std::sort(children.begin(), children.end(),
              [](const Node& a, const Node& b) { return LabelLess(a.label, b.label); });
    return true;
}

bool Exists(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

}  // namespace

bool LabelLess(const std::string& a, const std::string& b)
{
    const auto folded = [](unsigned char x, unsigned char y) { return Folded(x) < Folded(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded))
        return false;
    return a < b;
}

bool Read(const std::string& root, std::vector<Node>& out)
{
    std::vector<Node> nodes;
    if (!ReadChildren(root, nodes))
        return false;
    out = std::move(nodes);
    return true;
}

bool MakeFolder(const std::string& parent, const std::string& name)
{
    if (Paths::IsRefusedName(name))
        return false;
    return ::mkdir(Paths::Join(parent, name).c_str(), 0777) == 0;
}

bool RenameFolder(const std::string& parent, const std::string& oldName, const std::string& newName)
{
    if (Paths::IsRefusedName(oldName) || Paths::IsRefusedName(newName))
        return false;
    if (oldName == newName)
        return true;
    // rename(2) would silently replace an empty folder of the new name.
    const std::string target = Paths::Join(parent, newName);
    if (Exists(target))
        return false;
    return std::rename(Paths::Join(parent, oldName).c_str(), target.c_str()) == 0;
}

bool RemoveAll(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return false;
    if (!S_ISDIR(info.st_mode))
        return ::unlink(path.c_str()) == 0;

    bool removedAll = true;
    {
        const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(path.c_str()), &::closedir);
        if (!dir)
            return false;
        std::vector<std::string> names;
        while (const dirent* entry = ::readdir(dir.get()))
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                names.emplace_back(entry->d_name);
        for (const std::string& name : names)
            removedAll = RemoveAll(Paths::Join(path, name)) && removedAll;
    }
    return ::rmdir(path.c_str()) == 0 && removedAll;
}

}  // namespace FolderTree
