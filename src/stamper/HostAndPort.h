#pragma once
#include <cstdint>
#include <string>

// The text of the Connect box: a host name or dotted address, optionally
// followed by ":" and a port from 1 to 65535 (21 when absent). False when
// what follows the last ":" is not such a port.
bool SplitHostAndPort(const std::string& text, std::string& host, int32_t& port);
