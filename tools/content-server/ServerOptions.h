#pragma once

#include <string>

// The command line: content-server --port N --root DIR --log FILE
// [--request-deadline SECONDS] [--head-wait SECONDS], or --help.
struct ServerOptions
{
    int port = -1;
    std::string root;
    std::string log;
    // A connection still open after this long is cut.
    int requestDeadlineSeconds = 30;
    // A connection whose request line and headers are not in after this long is closed.
    int headWaitSeconds = 5;
    bool help = false;
};

// Fills `options` from the arguments; false with `error` set when they are unusable.
bool ParseServerOptions(int argc, const char* const* argv, ServerOptions& options, std::string& error);
const char* UsageText();
