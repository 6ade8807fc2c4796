#include "PremiumContent.h"

#include "HttpClient.h"
#include "PendingFile.h"
#include "Paths.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
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

// An HTTP client that stops reading a body past `limit` bytes.
class CCappedHttpClient : public CHttpClient {
public:
    explicit CCappedHttpClient(int64_t limit) : limit_(limit) {}
    int32_t OnProgress(int32_t total) override { return total > limit_ ? 0 : 1; }

private:
    int64_t limit_;
};

using Clock = std::chrono::steady_clock;

// One start's download: its bounds and the moment it must end.
class CDownload {
public:
    CDownload(const Server& server, const Limits& limits)
        : server_(server), limits_(limits), end_(Clock::now() + limits.budget)
    {
    }

    bool OutOfTime() const { return Clock::now() >= end_; }

    // Fetches the resource into `file`; true when the whole answer, within
    // `limit` bytes, is in it.
    bool Fetch(const std::string& resource, int64_t limit, CPendingFile& file) const
    {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end_ - Clock::now()).count();
        if (!file.IsOpen() || left <= 0)
            return false;
        std::string url = server_.host + ResourcePath(resource);
        CCappedHttpClient client(limit);
        client.SetPort(server_.port);
        client.SetRequestDeadline(int32_t(std::min<int64_t>(left, INT32_MAX)));
        // A body past the limit stops the transfer with a failure code.
        return client.GetToFile(url.data(), file.WritePath().c_str()) == 0 && IsCompleteResponse(client, file.Size());
    }

    // False when the list could not be fetched whole.
    bool UpdateKind(const std::string& folder, const char* listName) const
    {
        std::string bytes;
        {
            CPendingFile list(folder, limits_.unnamedFiles);
            if (!Fetch(listName, limits_.listBytes, list) || !list.ReadAll(size_t(limits_.listBytes), bytes))
                return false;
        }
        ForEachListLine(bytes, [&](std::string_view view) {
            if (OutOfTime())
                return;
            const std::string line(view);
            const std::string local = Paths::Join(folder, line);
            // Existing files and folders are never fetched again or replaced.
            if (!IsFetchableName(line) || Exists(local))
                return;
            CPendingFile item(folder, limits_.unnamedFiles);
            if (Fetch(line, limits_.itemBytes, item))
                item.Publish(local);
        });
        return true;
    }

private:
    const Server& server_;
    const Limits& limits_;
    const Clock::time_point end_;
};
}  // namespace

bool IsCompleteResponse(const CHttpClient& client, int64_t storedBytes)
{
    if (!IsSuccessStatus(client.GetHeader(0)))
        return false;
    const long long expected = ContentLength(client);
    return expected == -1 || (expected >= 0 && storedBytes == expected);
}

void ForEachListLine(std::string_view bytes, const std::function<void(std::string_view)>& line)
{
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        const size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos)
            end = bytes.size();
        if (end > start && bytes[end - 1] == '\r' && end < bytes.size())
            --end;
        line(bytes.substr(start, end - start));
        start = next;
    }
}

std::vector<std::string> ListLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    ForEachListLine(bytes, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

bool IsFetchableName(const std::string& line)
{
    return !Paths::IsRefusedName(line) && ResourcePath(line).size() <= kLongestRequestPath;
}

bool Update(const Server& server, const std::string& libraryRoot, const std::function<void(int)>& step,
            const Limits& limits)
{
    for (const Kind& kind : kKinds)
        RemoveLeftovers(Paths::Join(libraryRoot, kind.folder));
    const CDownload download(server, limits);
    for (const Kind& kind : kKinds) {
        if (download.OutOfTime())
            return true;
        if (!download.UpdateKind(Paths::Join(libraryRoot, kind.folder), kind.list))
            return false;
        step(kind.stepsAfter);
    }
    return true;
}

}  // namespace PremiumContent
