#pragma once

#include <string>

// The command line: content-server --port N --root DIR --log FILE
// [--request-deadline SECONDS], or --help.
struct ServerOptions
{
    int port = -1;
    std::string root;
    std::string log;
    // A connection still open after this long is cut.
    int requestDeadlineSeconds = 30;
    bool help = false;
};

// Fills `options` from the arguments; false with `error` set when they are unusable.
bool ParseServerOptions(int argc, const char* const* argv, ServerOptions& options, std::string& error);
const char* UsageText();
