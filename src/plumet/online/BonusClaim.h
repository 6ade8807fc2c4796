#pragma once
#include <array>
#include <string>

struct ServerSettings;

// A bonus claim as the form sends it: eighteen fields in the query's order,
// each value exactly as typed.
namespace BonusClaim {

inline constexpr size_t kFieldCount = 18;
using Fields = std::array<std::string, kFieldCount>;

// The query keys, in the order they are sent.
inline constexpr std::array<const char*, kFieldCount> kKeys = {
    "name",    "email",   "pubname", "puburl",   "archurl1", "archurl2", "archurl3", "archurl4", "subinst",
    "artpub1", "artpub2", "artpub3", "artpub4", "datepub1", "datepub2", "datepub3", "datepub4", "bonustype"};

// True for the fields whose spaces travel as "+" (name, pubname, subinst,
// artpub1 to artpub4, bonustype); the others send a space as %20.
bool SpacesToPlus(size_t field);

// True when a field that must be filled (name, email, pubname, puburl,
// archurl1, subinst, artpub1, datepub1) is empty. Spaces count as filled.
bool HasBlankRequiredField(const Fields& fields);

// "name=...&email=...&...&bonustype=...": each value percent-encoded so that
// no typed character can change the query or the request line. Every byte
// outside A-Z a-z 0-9 - . _ ~ becomes %XX, a typed "+" included; a space is
// "+" in the fields SpacesToPlus names.
std::string Query(const Fields& fields);

// "http://" + maker's host + "/cgi-bin/redeem.cgi?" + query. The port is the
// HTTP client's, never part of the text.
std::string Url(const std::string& makerHost, const std::string& query);

// Whether the HTTP client would send the URL's whole path (at most 1199
// characters); a longer one would be dropped for "/".
bool FitsRequestPath(const std::string& query);

// Sends the claim to the maker's web server; the answer is not read further.
void Send(const ServerSettings& servers, const std::string& query);

}  // namespace BonusClaim
