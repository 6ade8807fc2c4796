#include "PremiumContent.h"

#include "HttpClient.h"
#include "Paths.h"
#include "SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace PremiumContent {
namespace {
constexpr const char* kServerFolder = "/kestrin/";
// GetToFile's path buffer holds 255 characters; a longer path would be
// dropped and "/" requested instead.
constexpr size_t kLongestRequestPath = 255;

struct Kind {
    const char* list;
    const char* folder;  // below the library root
    int stepsAfter;
};
constexpr Kind kKinds[] = {
    {"articles.txt", "Premium Content/Articles", 4},
    {"ads.txt", "Premium Content/Ads", 2},
};

// The name as it goes into the request path: the bytes that would end the
// path or start an escape are escaped, so a name asks for its own file.
std::string ResourcePath(const std::string& name)
{
    std::string path = kServerFolder;
    for (const char c : name) {
        switch (c) {
        case '%': path += "%25"; break;
        case '?': path += "%3F"; break;
        case '#': path += "%23"; break;
        default: path += c; break;
        }
    }
    return path;
}

bool Exists(const std::string& path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

long long FileSize(const std::string& path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) ? static_cast<long long>(info.st_size) : -1;
}

bool IsSuccessStatus(const char* statusLine)
{
    // "HTTP/1.0 200 OK": the code is the second word.
    if (statusLine == nullptr || std::strncmp(statusLine, "HTTP/", 5) != 0)
        return false;
    const char* space = std::strchr(statusLine, ' ');
    return space != nullptr && space[1] == '2' && space[2] >= '0' && space[2] <= '9' && space[3] >= '0'
           && space[3] <= '9' && (space[4] == '\0' || space[4] == ' ');
}

// -1 when the response carried no usable Content-Length.
long long ContentLength(const CHttpClient& client)
{
    constexpr const char* kName = "Content-Length:";
    for (int i = 1; const char* header = client.GetHeader(i); ++i) {
        if (strncasecmp(header, kName, std::strlen(kName)) != 0)
            continue;
        const char* value = header + std::strlen(kName);
        while (*value == ' ' || *value == '\t')
            ++value;
        char* end = nullptr;
        errno = 0;
        const long long length = std::strtoll(value, &end, 10);
        const bool digits = end != value && *value >= '0' && *value <= '9';
        while (end && (*end == ' ' || *end == '\t'))
            ++end;
        // A length we cannot read cannot be checked: the answer is not trusted.
        return digits && errno == 0 && *end == '\0' ? length : -2;
    }
    return -1;
}

// Moves `from` to `to` unless something is at `to` already.
bool RenameNew(const std::string& from, const std::string& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    // File systems that cannot refuse a replacing rename.
    return errno == EINVAL && !Exists(to) && std::rename(from.c_str(), to.c_str()) == 0;
}

// A fresh empty file in `folder` for a download, or "" when none can be made.
std::string MakeTemporaryFile(const std::string& folder)
{
    std::string path = Paths::Join(folder, ".premium-XXXXXX");
    const int fd = mkstemp(path.data());
    if (fd < 0)
        return {};
    close(fd);
    return path;
}

// Fetches into a fresh temporary file in `folder`; its path when the whole
// answer arrived, else "" with nothing left behind.
std::string FetchToTemporary(const Server& server, const std::string& resource, const std::string& folder)
{
    const std::string temporary = MakeTemporaryFile(folder);
    if (temporary.empty())
        return {};
    std::string url = server.host + ResourcePath(resource);
    CHttpClient client;
    client.SetPort(server.port);
    if (client.GetToFile(url.data(), temporary.c_str()) == 0 && IsCompleteResponse(client, temporary))
        return temporary;
    std::remove(temporary.c_str());
    return {};
}

// False when the list could not be fetched whole.
bool UpdateKind(const Server& server, const std::string& folder, const char* listName)
{
    const std::string listPath = FetchToTemporary(server, listName, folder);
    if (listPath.empty())
        return false;
    std::string bytes;
    const bool read = SafeFile::ReadAll(listPath, bytes);
    std::remove(listPath.c_str());
    if (!read)
        return false;

    for (const std::string& line : ListLines(bytes)) {
        const std::string local = Paths::Join(folder, line);
        // Existing files and folders are never fetched again or replaced.
        if (IsFetchableName(line) && !Exists(local))
            FetchNew(server, line, local);
    }
    return true;
}
}  // namespace

bool IsCompleteResponse(const CHttpClient& client, const std::string& path)
{
    if (!IsSuccessStatus(client.GetHeader(0)))
        return false;
    const long long expected = ContentLength(client);
    return expected == -1 || (expected >= 0 && FileSize(path) == expected);
}

bool FetchNew(const Server& server, const std::string& resource, const std::string& path)
{
    const std::string temporary = FetchToTemporary(server, resource, Paths::FolderOf(path));
    if (temporary.empty())
        return false;
    if (RenameNew(temporary, path))
        return true;
    std::remove(temporary.c_str());
    return false;
}

std::vector<std::string> ListLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        const size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos)
            end = bytes.size();
        if (end > start && bytes[end - 1] == '\r' && end < bytes.size())
            --end;
        lines.push_back(bytes.substr(start, end - start));
        start = next;
    }
    return lines;
}

bool IsFetchableName(const std::string& line)
{
    return !Paths::IsRefusedName(line) && ResourcePath(line).size() <= kLongestRequestPath;
}

bool Update(const Server& server, const std::string& libraryRoot, const std::function<void(int)>& step)
{
    for (const Kind& kind : kKinds) {
        if (!UpdateKind(server, Paths::Join(libraryRoot, kind.folder), kind.list))
            return false;
        step(kind.stepsAfter);
    }
    return true;
}

}  // namespace PremiumContent
