#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CHttpClient;

// The maker's free premium articles and ads: two lists on the content
// server name the files, each fetched once into its kind's folder below the
// library root. No windows here; the start-up step around it shows them.
namespace PremiumContent {

struct Server {
    std::string host;
    int port = 80;
};

// The bounds of one start's download. The whole step ends within `budget`
// of its start: items not reached by then are fetched at the next start. A
// list longer than `listBytes` counts as not fetched; an item longer than
// `itemBytes` is dropped like a failed one.
struct Limits {
    std::chrono::milliseconds budget{60'000};
    int64_t listBytes = 1 << 20;
    int64_t itemBytes = 16 << 20;
    // Downloads go into unnamed files where the file system makes them;
    // false takes the hidden-name way round (tests of that way).
    bool unnamedFiles = true;
};

// True when the response `client` holds, of which `storedBytes` went into
// the file, is a whole 2xx answer: a status line "HTTP/x 2xx" and, when the
// response carried a Content-Length, exactly that many bytes.
bool IsCompleteResponse(const CHttpClient& client, int64_t storedBytes);

// Calls `line` with each line of a list file: CR LF or LF ends a line, a
// last line without a line end counts. The views point into `bytes`.
void ForEachListLine(std::string_view bytes, const std::function<void(std::string_view)>& line);
// The same lines, copied.
std::vector<std::string> ListLines(const std::string& bytes);

// Whether a list line may name a file: not a name the platform refuses and
// short enough for the request path ("/kestrin/" + escaped name within 255 bytes).
bool IsFetchableName(const std::string& line);

// Fetches the articles list, every listed article not yet present, then
// the same for the ads, calling step(4), step(4) and step(2) at the points
// the progress window advances. Leftovers of interrupted downloads go first.
// False, at once, when a list could not be fetched whole; the files fetched
// so far stay. Running out of time is not a failure.
bool Update(const Server& server, const std::string& libraryRoot, const std::function<void(int)>& step,
            const Limits& limits = {});

}  // namespace PremiumContent
