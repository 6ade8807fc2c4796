#include "ServerOptions.h"

#include <cstdlib>
#include <cstring>

namespace {
constexpr int kHighestPort = 65535;
constexpr int kLongestDeadlineSeconds = 86400;

bool ParseNumber(const char* text, long lowest, long highest, int& number)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < lowest || value > highest)
        return false;
    number = static_cast<int>(value);
    return true;
}
}

const char* UsageText()
{
    return "Usage: content-server --port N --root DIR --log FILE\n"
           "Serves the files below DIR over HTTP on 127.0.0.1:N and appends every\n"
           "bonus claim and partner sign-up request to FILE.\n"
           "  --port N    port to listen on; 0 picks a free one\n"
           "  --root DIR  folder served as the site's root\n"
           "  --log FILE  file that records the claim requests\n"
           "  --request-deadline SECONDS\n"
           "              cut a connection still open after this long (default 30)\n"
           "  --head-wait SECONDS\n"
           "              close a connection whose request line and headers are not\n"
           "              in after this long (default 5)\n"
           "  --help      show this text\n"
           "The first line printed is \"listening on 127.0.0.1:PORT\". SIGTERM stops the server.\n";
}

bool ParseServerOptions(int argc, const char* const* argv, ServerOptions& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const char* name = argv[i];
        if (std::strcmp(name, "--help") == 0) {
            options.help = true;
            return true;
        }
        const bool known = std::strcmp(name, "--port") == 0 || std::strcmp(name, "--root") == 0
                           || std::strcmp(name, "--log") == 0 || std::strcmp(name, "--request-deadline") == 0
                           || std::strcmp(name, "--head-wait") == 0;
        if (!known) {
            error = std::string("unknown option ") + name;
            return false;
        }
        if (i + 1 >= argc) {
            error = std::string(name) + " needs a value";
            return false;
        }
        const char* value = argv[++i];
        if (std::strcmp(name, "--port") == 0 && !ParseNumber(value, 0, kHighestPort, options.port)) {
            error = std::string("not a port: ") + value;
            return false;
        }
        int* seconds = std::strcmp(name, "--request-deadline") == 0 ? &options.requestDeadlineSeconds
                       : std::strcmp(name, "--head-wait") == 0     ? &options.headWaitSeconds
                                                                   : nullptr;
        if (seconds != nullptr && !ParseNumber(value, 1, kLongestDeadlineSeconds, *seconds)) {
            error = std::string("not a number of seconds: ") + value;
            return false;
        }
        if (std::strcmp(name, "--root") == 0)
            options.root = value;
        if (std::strcmp(name, "--log") == 0)
            options.log = value;
    }
    if (options.port < 0 || options.root.empty() || options.log.empty()) {
        error = "--port, --root and --log are all needed";
        return false;
    }
    return true;
}
