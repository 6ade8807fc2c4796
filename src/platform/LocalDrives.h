#pragma once
#include <string>
#include <vector>

// The local drives, in the order a search visits them. A drive is what a
// mount shows: a device together with the folder within it that is mounted
// (so two subvolumes of one device are two drives). "/" comes first, whatever
// its file system; then, in mount-table order, each mount of a local disk
// file system whose mount point is a folder that no other mount covers, unless
// a drive before it shows the same folder of its device or one holding it (a
// bind mount of a folder already searched). Each root ends with "/".
namespace LocalDrives {

// From the text of a mount table in the /proc/self/mountinfo layout; the
// mount points are looked up in this process's file system.
std::vector<std::string> FromMountInfo(const std::string& table);

// From this process's mount table.
std::vector<std::string> Roots();

}  // namespace LocalDrives
