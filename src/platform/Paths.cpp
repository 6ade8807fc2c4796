#include "Paths.h"

#include <unistd.h>

#include <climits>
#include <vector>

namespace Paths {

bool IsRefusedName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return true;
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7f)
            return true;
        switch (c) {
        case '\\': case '/': case ':': case '*': case '"':
        case '<': case '>': case '|':
            return true;
        default:
            break;
        }
    }
    return false;
}

std::string Join(const std::string& a, const std::string& b)
{
    return a + "/" + b;
}

std::string Resolve(const std::string& programFolder, const std::string& path)
{
    if (!path.empty() && path.front() == '/')
        return path;
    return Join(programFolder, path);
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string CurrentFolder()
{
    std::vector<char> buffer(PATH_MAX + 1);
    if (!getcwd(buffer.data(), buffer.size()))
        return {};
    return buffer.data();
}

}  // namespace Paths
