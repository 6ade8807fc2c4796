// plumet-format: reflows standard input exactly as the editor's Format Text does.
#include "Formatter.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include <unistd.h>

namespace {

constexpr int ExitEmptyOrIoError = 1;
constexpr int ExitUsage = 2;

constexpr std::string_view Help =
    "Usage: plumet-format [-w WIDTH] [-b]\n"
    "Reflow the text on standard input for e-mail and write it to standard output.\n"
    "Paragraphs are separated by a blank line; lines come out with CR LF breaks.\n"
    "\n"
    "  -w WIDTH  lines stay shorter than WIDTH characters (default 50)\n"
    "  -b        block style: widen lines with spaces to stand as a block\n"
    "  --help    show this help and exit\n"
    "\n"
    "Exit status: 0 done, 1 empty input or a read or write failure, 2 bad usage.\n";

struct Options {
    std::int64_t width = 50;
    bool blockStyle = false;
    bool help = false;
};

int UsageError(const std::string& problem)
{
    std::fprintf(stderr, "plumet-format: %s\nTry 'plumet-format --help'.\n", problem.c_str());
    return ExitUsage;
}

// A width is an optional sign and at least one digit, nothing else.
bool IsWidth(std::string_view text)
{
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::optional<Options> ParseOptions(int argc, char** argv, std::string& problem)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "-b") {
            options.blockStyle = true;
        } else if (arg.starts_with("-w")) {
            std::string_view value = arg.substr(2);
            if (value.empty()) {
                if (i + 1 == argc) {
                    problem = "option '-w' needs a width";
                    return std::nullopt;
                }
                value = argv[++i];
            }
            if (!IsWidth(value)) {
                problem = "invalid width '" + std::string(value) + "'";
                return std::nullopt;
            }
            options.width = CFormatter::ReadWidth(value);
        } else {
            problem = "unexpected argument '" + std::string(arg) + "'";
            return std::nullopt;
        }
    }
    return options;
}

int WriteError()
{
    std::fprintf(stderr, "plumet-format: cannot write standard output: %s\n", std::strerror(errno));
    return ExitEmptyOrIoError;
}

bool WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t put = write(fd, text.data(), text.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::string problem;
    const std::optional<Options> options = ParseOptions(argc, argv, problem);
    if (!options)
        return UsageError(problem);
    if (options->help)
        return WriteAll(STDOUT_FILENO, Help) ? 0 : ExitEmptyOrIoError;

    // Streamed: no more than the paragraph being read is held.
    CFormatter formatter(options->width, options->blockStyle);
    static char buffer[1 << 16];
    std::string out;
    bool anyInput = false;
    for (;;) {
        const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            std::fprintf(stderr, "plumet-format: cannot read standard input: %s\n", std::strerror(errno));
            return ExitEmptyOrIoError;
        }
        if (got == 0)
            break;
        anyInput = true;
        formatter.Feed(std::string_view(buffer, static_cast<std::size_t>(got)), out);
        if (!WriteAll(STDOUT_FILENO, out))
            return WriteError();
        out.clear();
    }
    if (!anyInput) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(CFormatter::NoTextMessage.size()), CFormatter::NoTextMessage.data());
        return ExitEmptyOrIoError;
    }
    formatter.Finish(out);
    if (!WriteAll(STDOUT_FILENO, out))
        return WriteError();
    return 0;
}
