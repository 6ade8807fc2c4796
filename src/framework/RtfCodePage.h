#pragma once
#include <array>

// Single-byte code pages for the bytes of an RTF text (\'hh and raw bytes).
using CodePageTable = std::array<char16_t, 256>;

// The table of a Windows code page number (1250 to 1258, 874, 437, 850,
// 852, 866, 10000); any other number gets Windows-1252. Built once per page.
const CodePageTable& SingleByteTable(int codePage);

// The code page a font's \fcharset names, or 0 for "the document's own"
// (ANSI, default and symbol sets, and sets this reader does not know).
int CodePageForCharset(int charset);
