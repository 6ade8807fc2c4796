#pragma once
#include <string>
#include <string_view>

// The editor pane's line-break convention: it hands out its text with CR LF
// breaks and takes text in which CR LF, a lone CR or a lone LF each break a line.
namespace PaneText {

// Every CR LF, lone CR and lone LF becomes one LF, as the text widget keeps it.
std::string ToLineFeeds(std::string_view text);

// Every LF becomes CR LF.
std::string ToCrLf(std::string_view text);

}  // namespace PaneText
