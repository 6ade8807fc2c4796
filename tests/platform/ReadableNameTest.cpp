#include "ReadableName.h"

#include <gtest/gtest.h>

TEST(ReadableName, ValidUtf8StaysAndStrayBytesBecomeCharacters)
{
    const struct {
        std::string bytes;
        std::string shown;
    } cases[] = {
        {"/home/u/pla1_0.exe", "/home/u/pla1_0.exe"},
        {"caf\xC3\xA9 \xF0\x9F\x98\x80", "caf\xC3\xA9 \xF0\x9F\x98\x80"},  // UTF-8, up to four bytes
        {"caf\xE9", "caf\xC3\xA9"},                                        // Latin-1
        {"\x80\x9F", "\xEF\xBF\xBD\xEF\xBF\xBD"},                          // C1 controls
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                                  // an overlong "/"
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xEF\xBF\xBD"},                  // a surrogate
        {"\xF4\x90\x80\x80", "\xC3\xB4\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // past U+10FFFF
        {"a\xE2\x82", "a\xC3\xA2\xEF\xBF\xBD"},                            // cut short at the end
        {"\xE2\x82" "b", "\xC3\xA2\xEF\xBF\xBD" "b"},                      // cut short by the next character
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadableName(c.bytes), c.shown) << c.bytes;
}
