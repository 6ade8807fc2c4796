// Bonus claims of any typed bytes: the query holds only its keys, "=", "&"
// and encoded values, splits into the eighteen keys in order, and decodes to
// exactly what was typed.
#include "BonusClaim.h"
#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsQueryByte(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.'
           || c == '_' || c == '~' || c == '%' || c == '+' || c == '=' || c == '&';
}

std::string Decoded(const std::string& value, bool plusIsSpace)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '%') {
            FUZZ_CHECK(i + 2 < value.size());
            const int high = HexValue(value[i + 1]);
            const int low = HexValue(value[i + 2]);
            FUZZ_CHECK(high >= 0 && low >= 0);
            out += char(high * 16 + low);
            i += 2;
        } else if (value[i] == '+') {
            FUZZ_CHECK(plusIsSpace);
            out += ' ';
        } else {
            out += value[i];
        }
    }
    return out;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // NUL bytes separate the fields; a field cannot hold one when typed.
    BonusClaim::Fields fields;
    std::size_t field = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\0')
            field = (field + 1) % BonusClaim::kFieldCount;
        else
            fields[field] += char(data[i]);
    }
    const std::string query = BonusClaim::Query(fields);
    for (const unsigned char c : query)
        FUZZ_CHECK(IsQueryByte(c));

    std::size_t start = 0;
    for (std::size_t i = 0; i < BonusClaim::kFieldCount; ++i) {
        const std::size_t end = query.find('&', start);
        FUZZ_CHECK((end == std::string::npos) == (i + 1 == BonusClaim::kFieldCount));
        const std::string pair = query.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const std::string key = std::string(BonusClaim::kKeys[i]) + "=";
        FUZZ_CHECK(pair.compare(0, key.size(), key) == 0);
        FUZZ_CHECK(Decoded(pair.substr(key.size()), BonusClaim::SpacesToPlus(i)) == fields[i]);
        start = end + 1;
    }
    return 0;
}
