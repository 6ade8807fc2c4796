#include "ReadableName.h"

namespace {

// The length of the valid UTF-8 sequence starting at `at`, 0 when none does:
// no overlong forms, no surrogates, nothing past U+10FFFF.
size_t SequenceLength(std::string_view bytes, size_t at)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the bounds of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (at + length > bytes.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (size_t i = at + 2; i < at + length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

}  // namespace

std::string ReadableName(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (size_t at = 0; at < bytes.size();) {
        if (const size_t length = SequenceLength(bytes, at)) {
            text.append(bytes.substr(at, length));
            at += length;
            continue;
        }
        const auto stray = static_cast<unsigned char>(bytes[at++]);
        if (stray < 0xA0) {
            text += "\xEF\xBF\xBD";
        } else {
            text += char(0xC0 | (stray >> 6));
            text += char(0x80 | (stray & 0x3F));
        }
    }
    return text;
}
