#include "ContentRoutes.h"

#include "ClaimLog.h"

#include <httplib.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace {
// Route patterns are regular expressions: the dots are literal.
const char* const kClaimScripts[] = {R"(/cgi-bin/redeem\.cgi)", R"(/cgi-quillfen/sspregister_click\.cgi)"};
const char* const kThanks = "<html><body><p>Thank you. Your request has been received.</p></body></html>\r\n";
const char* const kNotFound = "<html><body><p>The page you asked for is not here.</p></body></html>\r\n";

// Whether `path` is `root` or lies below it; both are canonical.
bool IsInside(const std::filesystem::path& path, const std::filesystem::path& root)
{
    return std::mismatch(root.begin(), root.end(), path.begin(), path.end()).first == root.end();
}

// A regular file whose real path lies inside the root; links that lead out
// of it, folders, FIFOs and devices are not served.
bool ReadFile(const std::filesystem::path& root, const std::string& resourcePath, std::string& content)
{
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(root / resourcePath.substr(1), error);
    if (error || !IsInside(real, root))
        return false;
    const int fd = open(real.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    std::string bytes;
    char chunk[64 * 1024];
    while (ok) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        bytes.append(chunk, static_cast<size_t>(got));
    }
    close(fd);
    if (ok)
        content = std::move(bytes);
    return ok;
}
}

std::string ContentTypeFor(const std::string& path)
{
    const std::string extension = std::filesystem::path(path).extension().string();
    return extension == ".txt" ? "text/plain" : "text/html";
}

bool IsSafeResourcePath(const std::string& path)
{
    if (path.empty() || path[0] != '/' || path.find('\0') != std::string::npos)
        return false;
    for (const auto& part : std::filesystem::path(path))
        if (part == "..")
            return false;
    return true;
}

void InstallContentRoutes(httplib::Server& server, const std::string& root, ClaimLog& log)
{
    for (const char* script : kClaimScripts) {
        server.Get(script, [&log](const httplib::Request& request, httplib::Response& response) {
            log.Record(request.target);
            response.set_content(kThanks, "text/html");
        });
    }

    std::error_code error;
    const std::filesystem::path realRoot = std::filesystem::canonical(root, error);
    server.Get(".*", [realRoot](const httplib::Request& request, httplib::Response& response) {
        std::string content;
        if (!IsSafeResourcePath(request.path) || realRoot.empty() || !ReadFile(realRoot, request.path, content)) {
            response.status = 404;
            response.set_content(kNotFound, "text/html");
            return;
        }
        response.set_content(content, ContentTypeFor(request.path));
    });
}
