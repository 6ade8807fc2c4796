#include "ContentRoutes.h"

#include "ClaimLog.h"

#include <httplib.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>

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

// An open file that closes with the last response that reads it.
class OpenFile
{
public:
    explicit OpenFile(int fd) : m_fd(fd) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() { close(m_fd); }
    int Fd() const { return m_fd; }

private:
    const int m_fd;
};

// A regular file whose real path lies inside the root, opened, with its
// size; links that lead out of it, folders, FIFOs and devices are not served.
std::shared_ptr<OpenFile> OpenServedFile(const std::filesystem::path& root, const std::string& resourcePath, size_t& size)
{
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(root / resourcePath.substr(1), error);
    if (error || !IsInside(real, root))
        return nullptr;
    const int fd = open(real.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    auto file = std::make_shared<OpenFile>(fd);
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return nullptr;
    size = static_cast<size_t>(info.st_size);
    return file;
}

// Sends the file a piece at a time, so a server's memory stays the same
// whatever the size of the files it serves. A file cut short while it is
// sent ends the connection early: the client sees less than announced.
httplib::ContentProvider PiecesOf(std::shared_ptr<OpenFile> file)
{
    return [file = std::move(file)](size_t offset, size_t length, httplib::DataSink& sink) {
        char piece[64 * 1024];
        ssize_t got = 0;
        do
            got = pread(file->Fd(), piece, std::min(length, sizeof piece), static_cast<off_t>(offset));
        while (got < 0 && errno == EINTR);
        return got > 0 && sink.write(piece, static_cast<size_t>(got));
    };
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
        size_t size = 0;
        std::shared_ptr<OpenFile> file;
        if (IsSafeResourcePath(request.path) && !realRoot.empty())
            file = OpenServedFile(realRoot, request.path, size);
        if (!file) {
            response.status = 404;
            response.set_content(kNotFound, "text/html");
            return;
        }
        response.set_content_provider(size, ContentTypeFor(request.path), PiecesOf(std::move(file)));
    });
}
