#include "SponsorSubstitution.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using namespace std::string_literals;

TEST(SponsorToken, IsBuiltFromAStoredValueThatFitsTheBuffer)
{
    EXPECT_EQ(BuildSponsorToken("A100"s), "IMA100_PLA");
    EXPECT_EQ(BuildSponsorToken(std::string(15, 'z')), "IM" + std::string(15, 'z') + "_PLA");
}

TEST(SponsorToken, IsWithheldForAMissingEmptyOrOversizedValue)
{
    EXPECT_EQ(BuildSponsorToken(std::nullopt), std::nullopt);
    EXPECT_EQ(BuildSponsorToken(""s), std::nullopt);
    EXPECT_EQ(BuildSponsorToken(std::string(16, 'z')), std::nullopt);
    EXPECT_EQ(BuildSponsorToken("A1\0" "00"s), std::nullopt);
}

TEST(SponsorPlaceholder, EveryOccurrenceIsReplaced)
{
    EXPECT_EQ(ReplaceSponsorPlaceholder("Join at x.example/?id=sponsorID\r\nor sponsorIDsponsorID.", "IMA100_PLA"),
        "Join at x.example/?id=IMA100_PLA\r\nor IMA100_PLAIMA100_PLA.");
}

TEST(SponsorPlaceholder, OtherCapitalsAreLeftAlone)
{
    const std::string body = "SponsorID sponsorid SPONSORID sponsorId";
    EXPECT_EQ(ReplaceSponsorPlaceholder(body, "IMA100_PLA"), body);
}

TEST(SponsorPlaceholder, AnInsertedTokenIsNotSearchedAgain)
{
    EXPECT_EQ(ReplaceSponsorPlaceholder("a sponsorID b sponsorID", "IMsponsorID_PLA"),
        "a IMsponsorID_PLA b IMsponsorID_PLA");
}

TEST(WriteBack, LfOnlyBodyGetsCrLf)
{
    EXPECT_EQ(BodyForWriteBack("one\ntwo\n\nthree\n"), "one\r\ntwo\r\n\r\nthree\r\n");
}

TEST(WriteBack, BodyWithAnyCrLfIsKept)
{
    const std::string body = "one\r\ntwo\nthree\r";
    EXPECT_EQ(BodyForWriteBack(body), body);
}

TEST(WriteBack, SecondPassChangesNothing)
{
    const std::string once = BodyForWriteBack("one\ntwo\n");
    EXPECT_EQ(BodyForWriteBack(once), once);
}

} // namespace
