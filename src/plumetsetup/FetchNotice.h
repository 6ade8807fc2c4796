#pragma once
#include <optional>
#include <string>

// Path of the setup notice on the content server.
inline constexpr const char* kNoticePath = "/kestrin/plastall.txt";

// Downloads the setup notice from the content server: its body lines joined
// in order, each with its CR LF, so the text equals the body as received.
// Nothing when the download fails in any way.
std::optional<std::string> FetchNotice(const std::string& contentHost, int contentPort);
