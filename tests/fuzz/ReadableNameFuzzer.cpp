// Showing a file name of any bytes: the text is always valid UTF-8, a name
// that is valid UTF-8 shows as it is, and showing the text again changes
// nothing.
#include "FuzzCheck.h"
#include "ReadableName.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// Decoded and encoded again by Qt's own converter, valid UTF-8 is unchanged.
bool IsUtf8(const std::string& bytes) { return QString::fromUtf8(bytes).toUtf8().toStdString() == bytes; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string shown = ReadableName(bytes);
    FUZZ_CHECK(IsUtf8(shown));
    FUZZ_CHECK(shown.size() <= 3 * bytes.size());
    if (IsUtf8(bytes))
        FUZZ_CHECK(shown == bytes);
    FUZZ_CHECK(ReadableName(shown) == shown);
    return 0;
}
