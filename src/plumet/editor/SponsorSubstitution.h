#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Putting the user's sponsor identifier into an opened body, and the body
// that is then written back to the content file.

// What a content text carries where the sponsor identifier belongs.
inline constexpr std::string_view SponsorPlaceholder = "sponsorID";

// The stored value must fit the 16-byte buffer it was made for, terminator included.
inline constexpr std::size_t SponsorValueLimit = 15;

// "IM" + value + "_PLA". No token for a value that is missing (nullopt; the
// caller also passes nullopt for a stored value that is not text), empty,
// holds a NUL byte, or is longer than the limit: writing a wrong or empty
// identifier into the file would destroy the placeholder for good.
std::optional<std::string> BuildSponsorToken(const std::optional<std::string>& storedValue);

// Every placeholder, left to right and case-sensitive, becomes the token;
// the inserted token is skipped over, so a token holding the placeholder
// does not grow again.
std::string ReplaceSponsorPlaceholder(std::string_view body, std::string_view token);

// The body as it is written back: a body with no CR LF pair at all gets CR LF
// for every LF, so LF-only files come back with the editor's line breaks.
std::string BodyForWriteBack(std::string_view body);
