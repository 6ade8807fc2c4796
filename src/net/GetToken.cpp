#include "GetToken.h"

#include <cstring>

int GetToken(const char* text, const char* delimiters, int index, char* out, int capacity)
{
    if (out != nullptr && capacity > 0)
        out[0] = '\0';
    if (text == nullptr || delimiters == nullptr || out == nullptr || index < 0)
        return 1;

    const char* cursor = text;
    for (int current = 0;; ++current) {
        cursor += std::strspn(cursor, delimiters);
        if (*cursor == '\0')
            return 1;
        const size_t length = std::strcspn(cursor, delimiters);
        if (current == index) {
            if (capacity <= 0 || length >= static_cast<size_t>(capacity))
                return 1;
            std::memcpy(out, cursor, length);
            out[length] = '\0';
            return 0;
        }
        cursor += length;
    }
}
