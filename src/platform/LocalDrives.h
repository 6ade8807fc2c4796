#pragma once
#include <string>
#include <vector>

// The local drives, in the order a search visits them: "/" first, whatever
// its file system, then every other mount point of a local disk file system
// in mount-table order, each device once. Each root ends with "/".
namespace LocalDrives {

// From the text of a mount table in the /proc/self/mounts layout.
std::vector<std::string> FromMountTable(const std::string& table);

// From this process's mount table.
std::vector<std::string> Roots();

}  // namespace LocalDrives
