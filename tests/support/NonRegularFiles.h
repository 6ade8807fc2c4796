#pragma once
#include <string>
#include <vector>

// Entries a library folder may hold that are not regular files: a FIFO, a
// link to /dev/zero and a socket, all named like content files. Returns
// their paths; a reader that opens one the ordinary way blocks or never ends.
std::vector<std::string> MakeNonRegularFiles(const std::string& folder);
