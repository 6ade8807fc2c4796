#pragma once
#include <string>

// Path helpers. Paths are POSIX paths joined with "/"; a path that does not
// start with "/" is taken relative to the program folder.
namespace Paths {

// A name the desktop platform would refuse for a file or folder: empty, "."
// or "..", or holding \ / : * " < > | or a control character.
bool IsRefusedName(const std::string& name);

// a + "/" + b.
std::string Join(const std::string& a, const std::string& b);

// The path as it is when absolute, else programFolder + "/" + path.
std::string Resolve(const std::string& programFolder, const std::string& path);

// The text before the last "/" (empty when there is none).
std::string FolderOf(const std::string& path);

// The text after the last "/" (the whole text when there is none).
std::string NameOf(const std::string& path);

// The process's current folder, as the platform reports it.
std::string CurrentFolder();

}  // namespace Paths
