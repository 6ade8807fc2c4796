#include "RtfTokenizer.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// One line per token: "{", "}", "\word", "\word-5", "\'e9", "\~", "T:text", "B:data".
std::string Dump(std::string_view input)
{
    CRtfTokenizer tokenizer(input);
    std::string out;
    for (RtfToken t = tokenizer.Next(); t.kind != RtfToken::Kind::End; t = tokenizer.Next()) {
        if (!out.empty())
            out += ' ';
        switch (t.kind) {
        case RtfToken::Kind::GroupStart: out += "{"; break;
        case RtfToken::Kind::GroupEnd: out += "}"; break;
        case RtfToken::Kind::ControlWord:
            out += "\\" + std::string(t.text) + (t.hasParameter ? std::to_string(t.parameter) : "");
            break;
        case RtfToken::Kind::ControlSymbol: out += std::string("\\") + t.symbol; break;
        case RtfToken::Kind::HexByte: out += "\\'" + std::to_string(t.parameter); break;
        case RtfToken::Kind::Text: out += "T:" + std::string(t.text); break;
        case RtfToken::Kind::Binary: out += "B:" + std::string(t.text); break;
        case RtfToken::Kind::End: break;
        }
    }
    return out;
}

struct Case {
    const char* input;
    const char* tokens;
};

class RtfTokenizerTest : public ::testing::TestWithParam<Case> {};

TEST_P(RtfTokenizerTest, SplitsBytesIntoTokens)
{
    EXPECT_EQ(Dump(GetParam().input), GetParam().tokens) << GetParam().input;
}

INSTANTIATE_TEST_SUITE_P(Pieces, RtfTokenizerTest, ::testing::Values(
    Case{"{\\rtf1 a}", "{ \\rtf1 T:a }"},
    // One space ends a word and is dropped; a second one is text.
    Case{"\\b  x", "\\b T: x"},
    Case{"\\li-360\\fi12x", "\\li-360 \\fi12 T:x"},
    // A minus not followed by a digit is no parameter.
    Case{"\\li-x", "\\li T:-x"},
    Case{"\\\\\\{\\}\\~\\-\\_\\*", "\\\\ \\{ \\} \\~ \\- \\_ \\*"},
    Case{"\\'e9\\'4A\\'zz", "\\'233 \\'74 \\' T:zz"},
    // Line ends carry nothing, except after a backslash, where they mark a paragraph.
    Case{"a\r\nb\\\nc", "T:a T:b \\par T:c"},
    Case{"\\bin3 {}\\x}", "B:{}\\ T:x }"},
    Case{"\\bin99 ab", "B:ab"},
    Case{"\\bin-5 ab", "B: T:ab"},
    Case{"\\fs99999999999999999999 a", "\\fs2147483647 T:a"},
    Case{"\\li-99999999999999 a", "\\li-2147483647 T:a"},
    Case{"\\abcdefghijklmnopqrstuvwxyzABCDEFGHIJ1", "\\abcdefghijklmnopqrstuvwxyzABCDEF1"},
    Case{"x\\", "T:x \\\\"}));

TEST(RtfTokenizer, KeepsNulBytesInText)
{
    EXPECT_EQ(Dump(std::string_view("a\0b}", 4)), std::string("T:a\0b }", 7));
}
}  // namespace
