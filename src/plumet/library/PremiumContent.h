#pragma once
#include <functional>
#include <string>
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

// True when the response `client` holds (after GetToFile into `path`) is a
// whole 2xx answer: a status line "HTTP/x 2xx" and, when the response
// carried a Content-Length, exactly that many bytes in the file.
bool IsCompleteResponse(const CHttpClient& client, const std::string& path);

// Fetches host + "/kestrin/" + resource ("%", "?" and "#" escaped, so the
// name is all of the path) into `path` through a temporary file
// in the same folder, which becomes `path` only when the answer is complete
// and nothing is at `path` yet; otherwise it is removed. True when stored.
bool FetchNew(const Server& server, const std::string& resource, const std::string& path);

// The names a list file holds: one per line, CR LF or LF ends a line, a last
// line without a line end counts.
std::vector<std::string> ListLines(const std::string& bytes);

// Whether a list line may name a file: not a name the platform refuses and
// short enough for the request path ("/kestrin/" + escaped name within 255 bytes).
bool IsFetchableName(const std::string& line);

// Fetches the articles list, every listed article not yet present, then
// the same for the ads, calling step(4), step(4) and step(2) at the points
// the progress window advances. False, at once, when a list could not be
// fetched whole; the files fetched so far stay.
bool Update(const Server& server, const std::string& libraryRoot, const std::function<void(int)>& step);

}  // namespace PremiumContent
