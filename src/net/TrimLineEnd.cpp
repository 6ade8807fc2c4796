#include "TrimLineEnd.h"

#include <cstring>

namespace {
bool IsLineEndChar(char c)
{
    return c == '\r' || c == '\n';
}
}

void TrimLineEnd(char* text)
{
    if (text == nullptr)
        return;
    const size_t n = std::strlen(text);
    if (n == 0)
        return;
    if (n == 1) {
        if (IsLineEndChar(text[0]))
            text[0] = '\0';
        return;
    }
    if (IsLineEndChar(text[n - 2]))
        text[n - 2] = '\0';
    else if (IsLineEndChar(text[n - 1]))
        text[n - 1] = '\0';
}
