#pragma once

// Cuts a trailing line ending in place: a lone CR or LF, or the last two
// characters when the next-to-last one is CR or LF. Null or empty text is left alone.
void TrimLineEnd(char* text);
