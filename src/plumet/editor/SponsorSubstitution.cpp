#include "SponsorSubstitution.h"

#include "TextReplace.h"

std::optional<std::string> BuildSponsorToken(const std::optional<std::string>& storedValue)
{
    if (!storedValue || storedValue->empty() || storedValue->size() > SponsorValueLimit
        || storedValue->find('\0') != std::string::npos)
        return std::nullopt;
    return "IM" + *storedValue + "_PLA";
}

std::string ReplaceSponsorPlaceholder(std::string_view body, std::string_view token)
{
    return ReplaceAll(body, SponsorPlaceholder, token);
}

std::string BodyForWriteBack(std::string_view body)
{
    if (body.find("\r\n") != std::string_view::npos)
        return std::string(body);
    return ReplaceAll(body, "\n", "\r\n");
}
