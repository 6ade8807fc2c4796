#pragma once

#include <string>

namespace httplib {
class Server;
}
class ClaimLog;

// "text/plain" for .txt files, "text/html" for everything else the site holds.
std::string ContentTypeFor(const std::string& path);
// False for paths that could leave the served folder.
bool IsSafeResourcePath(const std::string& path);
// GET of the two claim scripts is logged and thanked; any other GET serves
// the file of that path below `root`.
void InstallContentRoutes(httplib::Server& server, const std::string& root, ClaimLog& log);
