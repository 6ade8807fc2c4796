#pragma once
#include <string>

// The programs' documents (help page, introduction) are looked up in the
// current folder first, then in the data folder installed beside the
// executable (bin/../share/plumet), so the build tree, a DESTDIR install and
// the package all behave alike.
namespace DataFiles {

// The installed data folder: the running executable's folder + "/../share/plumet".
std::string DataFolder();

// The path of the first readable regular file called `name` in the current
// folder, then in the data folder; empty when neither has one.
std::string Find(const std::string& name);

}  // namespace DataFiles
