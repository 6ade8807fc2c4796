// Opening a content file: the header fields are its first lines, the sponsor
// placeholder never survives, a file without a body keeps its bytes, and a
// second load writes back what the first one wrote.
#include "ContentFile.h"
#include "FuzzCheck.h"
#include "FuzzFiles.h"
#include "LoadContentFile.h"
#include "PlumetState.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string Line(const std::vector<std::string>& lines, std::size_t i)
{
    return i < lines.size() ? lines[i] : std::string();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A machine-wide sponsor value, so every load substitutes.
    const std::string machine = FuzzFiles::Folder() + "/machine";
    std::filesystem::create_directories(machine + "/Brindlewick");
    FuzzFiles::Write(machine + "/Brindlewick/Plumet Assistant.ini", "[Star]\nSponsor=A100\n");
    setenv("XDG_CONFIG_DIRS", machine.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (FuzzFiles::Folder() + "/user").c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    PlumetState state;
    state.ProgramFolder = FuzzFiles::Folder();
    const std::string path = FuzzFiles::Folder() + "/content.txt";
    FuzzFiles::Write(path, bytes);

    const LoadOutcome outcome = LoadContentFile(state, "content.txt");
    const std::vector<std::string> lines = ContentFile::Lines(ContentFile::FromStored(bytes));
    FUZZ_CHECK(state.ArticleName == Line(lines, 0));
    FUZZ_CHECK(state.AuthorName == Line(lines, 1));
    FUZZ_CHECK(state.DatePublished == Line(lines, 2));
    FUZZ_CHECK(state.Topic == Line(lines, 3));
    FUZZ_CHECK(outcome != LoadOutcome::NothingRead);
    if (outcome == LoadOutcome::NoBody) {
        FUZZ_CHECK(state.EditorText.empty());
        FUZZ_CHECK(FuzzFiles::Read(path) == bytes);
        return 0;
    }
    FUZZ_CHECK(!state.EditorText.empty());
    FUZZ_CHECK(state.EditorText.find("sponsorID") == std::string::npos);

    const std::string written = FuzzFiles::Read(path);
    const std::string shown = state.EditorText;
    FUZZ_CHECK(LoadContentFile(state, "content.txt") == LoadOutcome::Loaded);
    FUZZ_CHECK(state.EditorText == shown);
    FUZZ_CHECK(FuzzFiles::Read(path) == written);
    return 0;
}
