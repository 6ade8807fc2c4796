#include "PaneText.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

using Case = std::tuple<std::string, std::string>;  // pane-bound text, as the widget keeps it
class PaneTextBreaks : public testing::TestWithParam<Case> {};

TEST_P(PaneTextBreaks, EachBreakBecomesOneLineFeed)
{
    EXPECT_EQ(PaneText::ToLineFeeds(std::get<0>(GetParam())), std::get<1>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(PaneText, PaneTextBreaks, testing::Values(
    Case{"a\r\nb", "a\nb"},
    Case{"a\rb", "a\nb"},
    Case{"a\nb", "a\nb"},
    Case{"a\r\r\nb", "a\n\nb"},      // a lone CR, then a pair
    Case{"a\n\rb", "a\n\nb"},        // LF CR is two breaks, not a pair
    Case{"\r", "\n"},
    Case{"end\r\n", "end\n"},
    Case{"", ""}));

TEST(PaneText, HandsOutCrLfAndRoundTrips)
{
    EXPECT_EQ(PaneText::ToCrLf("a\nb\n\nc"), "a\r\nb\r\n\r\nc");
    const std::string editor = "one\r\ntwo\r\n\r\nthree\r\n";
    EXPECT_EQ(PaneText::ToCrLf(PaneText::ToLineFeeds(editor)), editor);
}

}  // namespace
