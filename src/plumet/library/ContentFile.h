#pragma once
#include <cstddef>
#include <string>
#include <vector>

// Content files: four header lines, the separator "~*^", then the body.
// On disk every LF is stored as CR LF; reading turns CR LF back into LF and
// leaves a lone CR in the text.
namespace ContentFile {

inline constexpr const char* kSeparator = "~*^";
inline constexpr const char* kNotYetPublished = "Not Yet Published";
// The header readers look at no more of a file than this.
inline constexpr size_t kHeaderReadLimit = 64 * 1024;

struct Header {
    std::string articleName;
    std::string authorName;
    std::string datePublished;
    std::string topic;
};

// Text-file convention.
std::string ToStored(const std::string& text);
std::string FromStored(const std::string& bytes);

// Lines of a text: each line is the text up to the next LF; a last line
// without LF is still a line.
std::vector<std::string> Lines(const std::string& text);

// The whole file as text (LF line breaks), ready to store with ToStored.
std::string Compose(const Header& header, const std::string& body);

// Writes folder/fileName in the stored layout, replacing an existing file
// safely. False, with nothing written, when the file name is one the platform
// refuses (`error` EINVAL) or the file cannot be written (`error` says why).
bool Write(const std::string& folder, const std::string& fileName, const Header& header,
           const std::string& body, int* error = nullptr);

// The first four lines (missing ones empty), reading only the start of the
// file. Only regular files are read; anything else gives empty lines.
Header ReadHeader(const std::string& path);

// The dialog's prefill: lines in groups of four from the start until the end
// of the file or a group starting with the separator; each group sets the
// article name (1st), author's name (2nd) and topic (4th). The date is unused.
Header ReadForDialog(const std::string& path);

// Header text: every line up to and including the first line equal to the
// separator, each followed by LF. Body: every later line, each followed by LF.
struct Split {
    std::string headerText;
    std::string body;
};
Split SplitHeaderBody(const std::string& text);

// The article's file name: spaces become "_", "?" and "!" go, ".txt" follows.
std::string FileNameFor(const std::string& articleName);

// month/day/year, or "Not Yet Published" when any of them is empty.
std::string DateText(const std::string& month, const std::string& day, const std::string& year);

}  // namespace ContentFile
