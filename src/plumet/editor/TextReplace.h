#pragma once
#include <string>
#include <string_view>

// Every occurrence of `from`, left to right, replaced by `to`; the search goes
// on after each inserted text, so `to` is never searched again.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
