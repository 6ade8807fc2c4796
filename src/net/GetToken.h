#pragma once

// Copies token `index` (0-based) of `text` into `out`. Tokens are separated by
// runs of characters from `delimiters`, so empty tokens never exist.
// Returns 0 when found; 1 when missing, too long for `out` with its terminator,
// or an argument is null. On 1 the output is empty whenever capacity > 0.
int GetToken(const char* text, const char* delimiters, int index, char* out, int capacity);
