#include "ContentFile.h"

#include "Paths.h"
#include "SafeFile.h"

#include <cerrno>
#include <sstream>

namespace ContentFile {

namespace {

// One line of a stored file: up to LF, with the CR of a CR LF pair dropped.
bool ReadStoredLine(std::istream& in, std::string& line)
{
    if (!std::getline(in, line))
        return false;
    if (!in.eof() && !line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

// The start of a regular file, where the header lines are; anything else
// (missing, a FIFO, a device) reads as no lines at all.
std::string ReadHeaderBytes(const std::string& path)
{
    std::string bytes;
    SafeFile::ReadStart(path, kHeaderReadLimit, bytes);
    return bytes;
}

}  // namespace

std::string ToStored(const std::string& text)
{
    std::string stored;
    stored.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n')
            stored += '\r';
        stored += c;
    }
    return stored;
}

std::string FromStored(const std::string& bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        text += bytes[i];
    }
    return text;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string Compose(const Header& header, const std::string& body)
{
    return header.articleName + "\n" + header.authorName + "\n" + header.datePublished + "\n"
        + header.topic + "\n" + kSeparator + "\n" + body;
}

bool Write(const std::string& folder, const std::string& fileName, const Header& header,
           const std::string& body, int* error)
{
    if (Paths::IsRefusedName(fileName)) {
        if (error)
            *error = EINVAL;
        return false;
    }
    return SafeFile::Replace(Paths::Join(folder, fileName), ToStored(Compose(header, body)), error);
}

Header ReadHeader(const std::string& path)
{
    Header header;
    std::istringstream in(ReadHeaderBytes(path));
    std::string* const fields[] = {&header.articleName, &header.authorName,
                                   &header.datePublished, &header.topic};
    for (std::string* field : fields)
        if (!ReadStoredLine(in, *field))
            break;
    return header;
}

Header ReadForDialog(const std::string& path)
{
    Header header;
    std::istringstream in(ReadHeaderBytes(path));
    std::string first;
    while (ReadStoredLine(in, first) && first != kSeparator) {
        std::string second, third, fourth;
        ReadStoredLine(in, second) && ReadStoredLine(in, third) && ReadStoredLine(in, fourth);
        header.articleName = first;
        header.authorName = second;
        header.topic = fourth;
    }
    return header;
}

Split SplitHeaderBody(const std::string& text)
{
    Split split;
    bool inBody = false;
    for (const std::string& line : Lines(text)) {
        std::string& target = inBody ? split.body : split.headerText;
        target += line;
        target += '\n';
        if (!inBody && line == kSeparator)
            inBody = true;
    }
    return split;
}

std::string FileNameFor(const std::string& articleName)
{
    std::string name;
    name.reserve(articleName.size() + 4);
    for (char c : articleName) {
        if (c == '?' || c == '!')
            continue;
        name += c == ' ' ? '_' : c;
    }
    return name + ".txt";
}

std::string DateText(const std::string& month, const std::string& day, const std::string& year)
{
    if (month.empty() || day.empty() || year.empty())
        return kNotYetPublished;
    return month + "/" + day + "/" + year;
}

}  // namespace ContentFile
