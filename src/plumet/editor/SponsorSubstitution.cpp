#include "SponsorSubstitution.h"

std::optional<std::string> BuildSponsorToken(const std::optional<std::string>& storedValue)
{
    if (!storedValue || storedValue->empty() || storedValue->size() > SponsorValueLimit
        || storedValue->find('\0') != std::string::npos)
        return std::nullopt;
    return "IM" + *storedValue + "_PLA";
}

namespace {

std::string ReplaceEvery(std::string_view text, std::string_view from, std::string_view to)
{
    std::string result;
    result.reserve(text.size());
    std::size_t done = 0;
    for (std::size_t hit = text.find(from); hit != std::string_view::npos; hit = text.find(from, done)) {
        result.append(text, done, hit - done);
        result.append(to);
        done = hit + from.size();
    }
    result.append(text, done);
    return result;
}

} // namespace

std::string ReplaceSponsorPlaceholder(std::string_view body, std::string_view token)
{
    return ReplaceEvery(body, SponsorPlaceholder, token);
}

std::string BodyForWriteBack(std::string_view body)
{
    if (body.find("\r\n") != std::string_view::npos)
        return std::string(body);
    return ReplaceEvery(body, "\n", "\r\n");
}
