#include "LeadingNumber.h"

#include <cctype>

int32_t LeadingNumber(const char* text)
{
    if (text == nullptr)
        return 0;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    int64_t value = 0;
    for (; std::isdigit(static_cast<unsigned char>(*text)) != 0; ++text) {
        value = value * 10 + (*text - '0');
        if (value > INT32_MAX) {
            value = INT32_MAX;
            break;
        }
    }
    return static_cast<int32_t>(negative ? -value : value);
}
