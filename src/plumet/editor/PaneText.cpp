#include "PaneText.h"

#include "ContentFile.h"

namespace PaneText {

std::string ToLineFeeds(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            result += text[i];
            continue;
        }
        result += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    return result;
}

std::string ToCrLf(std::string_view text)
{
    return ContentFile::ToStored(std::string(text));
}

}  // namespace PaneText
