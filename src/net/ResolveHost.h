#pragma once

// Looks up the IPv4 address of `host` (a name or dotted text; anything up to
// the last '@' after the first character is a user name and is skipped) and
// writes it as dotted text into `out`.
// Returns 0 done; 1 `out` is too small; 2 the name is unknown or has no address.
int ResolveHost(const char* host, char* out, int capacity);
