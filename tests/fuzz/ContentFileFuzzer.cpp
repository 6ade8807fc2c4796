// Content files: the stored form reads back as written, the readers see the
// lines the text-file convention gives, and header and body split without
// losing a byte.
#include "ContentFile.h"
#include "FuzzCheck.h"
#include "FuzzFiles.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

std::string Line(const std::vector<std::string>& lines, std::size_t i)
{
    return i < lines.size() ? lines[i] : std::string();
}

// The text as lines give it back: a last line always ends in LF.
std::string WithFinalLineFeed(const std::string& text)
{
    return text.empty() || text.back() == '\n' ? text : text + '\n';
}

void CheckReaders(const std::string& bytes)
{
    const std::string path = FuzzFiles::Folder() + "/read.txt";
    FuzzFiles::Write(path, bytes);
    const std::vector<std::string> lines = ContentFile::Lines(ContentFile::FromStored(bytes));

    const ContentFile::Header header = ContentFile::ReadHeader(path);
    FUZZ_CHECK(header.articleName == Line(lines, 0));
    FUZZ_CHECK(header.authorName == Line(lines, 1));
    FUZZ_CHECK(header.datePublished == Line(lines, 2));
    FUZZ_CHECK(header.topic == Line(lines, 3));

    ContentFile::Header expected;
    for (std::size_t i = 0; i < lines.size() && lines[i] != ContentFile::kSeparator; i += 4) {
        expected.articleName = lines[i];
        expected.authorName = Line(lines, i + 1);
        expected.topic = Line(lines, i + 3);
    }
    const ContentFile::Header dialog = ContentFile::ReadForDialog(path);
    FUZZ_CHECK(dialog.articleName == expected.articleName);
    FUZZ_CHECK(dialog.authorName == expected.authorName);
    FUZZ_CHECK(dialog.datePublished.empty());
    FUZZ_CHECK(dialog.topic == expected.topic);
}

// Header fields are the input's first four NUL-separated pieces, the body the rest.
void CheckWriteAndReadBack(const std::string& input)
{
    ContentFile::Header header;
    std::string* const fields[] = {&header.articleName, &header.authorName, &header.datePublished,
                                   &header.topic};
    std::size_t start = 0;
    for (std::string* field : fields) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        *field = input.substr(start, end - start);
        if (field->find('\n') != std::string::npos || *field == ContentFile::kSeparator)
            return;
        start = std::min(end + 1, input.size());
    }
    const std::string body = input.substr(start);

    const ContentFile::Split split = ContentFile::SplitHeaderBody(ContentFile::Compose(header, body));
    FUZZ_CHECK(split.body == WithFinalLineFeed(body));

    const std::string name = ContentFile::FileNameFor(header.articleName);
    FUZZ_CHECK(name.ends_with(".txt"));
    FUZZ_CHECK(name.find_first_of(" ?!") == std::string::npos);

    if (!ContentFile::Write(FuzzFiles::Folder(), "written.txt", header, body))
        return;
    const ContentFile::Header read = ContentFile::ReadHeader(FuzzFiles::Folder() + "/written.txt");
    FUZZ_CHECK(read.articleName == header.articleName);
    FUZZ_CHECK(read.authorName == header.authorName);
    FUZZ_CHECK(read.datePublished == header.datePublished);
    FUZZ_CHECK(read.topic == header.topic);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    FUZZ_CHECK(ContentFile::FromStored(ContentFile::ToStored(bytes)) == bytes);

    const ContentFile::Split split = ContentFile::SplitHeaderBody(bytes);
    FUZZ_CHECK(split.headerText + split.body == WithFinalLineFeed(bytes));
    if (!split.body.empty())
        FUZZ_CHECK(split.headerText.ends_with(std::string("\n") + ContentFile::kSeparator + "\n")
                   || split.headerText == std::string(ContentFile::kSeparator) + "\n");

    CheckReaders(bytes);
    CheckWriteAndReadBack(bytes);
    return 0;
}
