#include "ContentRoutes.h"

#include "ClaimLog.h"

#include <httplib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
// Route patterns are regular expressions: the dots are literal.
const char* const kClaimScripts[] = {R"(/cgi-bin/redeem\.cgi)", R"(/cgi-quillfen/sspregister_click\.cgi)"};
const char* const kThanks = "<html><body><p>Thank you. Your request has been received.</p></body></html>\r\n";
const char* const kNotFound = "<html><body><p>The page you asked for is not here.</p></body></html>\r\n";

bool ReadFile(const std::filesystem::path& path, std::string& content)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    content = bytes.str();
    return static_cast<bool>(in);
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

    server.Get(".*", [root](const httplib::Request& request, httplib::Response& response) {
        std::string content;
        if (!IsSafeResourcePath(request.path) || !ReadFile(root + request.path, content)) {
            response.status = 404;
            response.set_content(kNotFound, "text/html");
            return;
        }
        response.set_content(content, ContentTypeFor(request.path));
    });
}
