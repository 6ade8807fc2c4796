#pragma once
#include <string>
#include <vector>

// Starting another program of the kit and waiting for it.
namespace Processes {

// Where a program named without a folder is looked for, in order: beside
// the running executable, the current folder, then each folder of PATH.
std::vector<std::string> SearchFolders();

// The first executable regular file called `name` in the folders; "" when
// none holds one.
std::string FindProgram(const std::string& name, const std::vector<std::string>& folders);

// Starts the program at `path` with the command line `argv0` alone (no
// arguments), this process's environment and current folder and no open
// files but the standard three, then waits until it has ended. Meanwhile
// events other than user input are handled, so windows keep painting; input
// waits until the program has ended. False when it could not be started.
// Its exit status is not used.
bool StartAndWait(const std::string& path, const std::string& argv0);

}  // namespace Processes
