#include "TextReplace.h"

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    std::string result;
    result.reserve(text.size() + text.size() / 4);
    std::size_t done = 0;
    for (std::size_t hit = text.find(from); hit != std::string_view::npos; hit = text.find(from, done)) {
        result.append(text, done, hit - done);
        result.append(to);
        done = hit + from.size();
    }
    result.append(text, done);
    return result;
}
