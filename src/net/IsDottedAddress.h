#pragma once

// True when `text` is a dotted IPv4 address such as 127.0.0.1.
bool IsDottedAddress(const char* text);
