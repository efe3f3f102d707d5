#include "display/VideoCardChoice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(VideoCardChoice, TracesEachTestAndChoosesTheMatchInItsOwnCase)
{
    const VideoCardChoice choice = ChooseVideoCard("ABC", {"XYZ", "abc"});
    EXPECT_EQ(choice.chosen, 1u);
    EXPECT_EQ(choice.trace, "ABC\n"
                            "Passed strlen test\n"
                            "\n"
                            "Testing ABC against XYZ\n"
                            "Not matched.\n"
                            "\n"
                            "Testing ABC against abc\n"
                            "Matched!\n"
                            "\n");
}

struct ChoiceCase {
    const char* name;
    std::string stored;
    std::vector<std::string> descriptions;
    std::size_t chosen;
};

class Choices : public testing::TestWithParam<ChoiceCase> {};

TEST_P(Choices, PickTheLastWholeMatchOrElseTheFirstDevice)
{
    EXPECT_EQ(ChooseVideoCard(GetParam().stored, GetParam().descriptions).chosen,
              GetParam().chosen);
}

INSTANTIATE_TEST_SUITE_P(
    VideoCardChoice, Choices,
    testing::Values(ChoiceCase{"SecondOfTwo", "3D Add-on", {"S3 Trio", "3D Add-on"}, 1},
                    ChoiceCase{"NoMatch", "Voodoo", {"S3 Trio", "3D Add-on"}, 0},
                    ChoiceCase{"LastOfEqualDescriptions", "card", {"Card", "other", "CARD"}, 2},
                    ChoiceCase{"PrefixIsNoMatch", "S3", {"x", "S3 Trio"}, 0},
                    ChoiceCase{"EmptyStoredName", "", {"a", ""}, 0},
                    ChoiceCase{"NoDevices", "abc", {}, 0}),
    [](const testing::TestParamInfo<ChoiceCase>& param) { return std::string(param.param.name); });

TEST(VideoCardChoice, AnEmptyStoredNameTracesOnlyLineBreaks)
{
    EXPECT_EQ(ChooseVideoCard("", {"a", "b", "c"}).trace, std::string(5, '\n'));
}

TEST(VideoCardChoice, OnlyTheLettersAToZIgnoreCase)
{
    EXPECT_TRUE(EqualIgnoringAsciiCase("Riva TNT2 [Ultra]", "RIVA tnt2 [ultra]"));
    EXPECT_FALSE(EqualIgnoringAsciiCase("\xC4gypten", "\xE4gypten")); // accented letters differ
    EXPECT_FALSE(EqualIgnoringAsciiCase("[", "{"));                   // 0x5B and 0x7B differ by 32
    EXPECT_FALSE(EqualIgnoringAsciiCase("abc", "abcd"));
}

TEST(VideoCardChoice, LongTextsAreTracedWhole)
{
    const std::string stored(199, 's');
    const std::string description(511, 'd');
    const std::string trace = ChooseVideoCard(stored, {description}).trace;
    EXPECT_NE(trace.find("Testing " + stored + " against " + description + "\n"),
              std::string::npos);
}

} // namespace
