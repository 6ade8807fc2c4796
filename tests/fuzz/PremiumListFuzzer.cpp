// Premium list files as a hostile server may send them: the lines give back
// every byte but the line ends, and a line taken as a file name can only
// name a file directly inside its kind's folder.
#include "FuzzCheck.h"
#include "PremiumContent.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = PremiumContent::ListLines(bytes);

    // Joined again with the line ends they lost, the lines are the input.
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        FUZZ_CHECK(lines[i].find('\n') == std::string::npos);
        joined += lines[i];
        if (joined.size() < bytes.size()) {
            if (bytes[joined.size()] == '\r' && joined.size() + 1 < bytes.size() && bytes[joined.size() + 1] == '\n')
                joined += '\r';
            FUZZ_CHECK(joined.size() < bytes.size() && bytes[joined.size()] == '\n');
            joined += '\n';
        }
    }
    FUZZ_CHECK(joined == bytes);

    for (const std::string& line : lines) {
        if (!PremiumContent::IsFetchableName(line))
            continue;
        FUZZ_CHECK(!line.empty() && line != "." && line != "..");
        FUZZ_CHECK(line.find('/') == std::string::npos && line.find('\\') == std::string::npos);
        FUZZ_CHECK(line.find('*') == std::string::npos && line.size() <= 255 - 9);
        for (const unsigned char c : line)
            FUZZ_CHECK(c >= 0x20 && c != 0x7f);
    }
    return 0;
}
