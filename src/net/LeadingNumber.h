#pragma once

#include <cstdint>

// The leading decimal digits of `text` after an optional sign; 0 when there
// are none. Saturates instead of overflowing.
int32_t LeadingNumber(const char* text);
