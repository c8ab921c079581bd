#include "scenario.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvelt {
namespace {

using namespace fakes;

FakeWindow TypeB(std::string txtb)
{
    return FakeWindow().Kind(TestKind::B).Set(Field::txtb, std::move(txtb));
}

std::string Question(int n)
{
    return Ask("Punti (da 0 a 5) per l'esercizio n." + std::to_string(n));
}

const std::string EmptyCount = Message("Inserire il numero di quesiti!");

class TypeBScoring : public testing::TestWithParam<Scenario> {};

TEST_P(TypeBScoring, Click) { CheckScenario(GetParam()); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Examples, TypeBScoring,
    testing::Values(
        Scenario{"three questions 4 5 3", TypeB("3"), {"4", "5", "3"},
                 {Question(1), Question(2), Question(3)},
                 " +4 +5 +3 =  12 su  15", "8,20", "13"},
        Scenario{"replies outside 0 to 5 are asked again", TypeB("2"), {"7", "5", "-1", "0"},
                 {Question(1), Question(1), Question(2), Question(2)},
                 " +5 +0 =  5 su  10", "5,50", "9"},
        Scenario{"count 2.9 asks two questions", TypeB("2.9"), {"3", "4"},
                 {Question(1), Question(2)}, " +3 +4 =  7 su  10", "7,30", "12"},
        Scenario{"hexadecimal count", TypeB("&H2"), {"5", "5"},
                 {Question(1), Question(2)}, " +5 +5 =  10 su  10", "10,00", "15"},
        Scenario{"reply with a decimal comma shown as typed", TypeB("1"), {"2,5"},
                 {Question(1)}, " +2,5 =  2.5 su  5", "5,50", "9", Separators::CommaOnly},
        Scenario{"reply with a decimal period", TypeB("1"), {"2.5"},
                 {Question(1)}, " +2.5 =  2.5 su  5", "5,50", "9", Separators::PeriodOnly},
        Scenario{"bounds 0 and 5 accepted under a comma", TypeB("3"),
                 {"5,01", "4,5", "-0,5", "0", "5"},
                 {Question(1), Question(1), Question(2), Question(2), Question(3)},
                 " +4,5 +0 +5 =  9.5 su  15", "6,70", "11", Separators::CommaOnly},
        Scenario{"bounds 0 and 5 accepted under a period", TypeB("3"),
                 {"5.01", "4.5", "-0.5", "0", "5"},
                 {Question(1), Question(1), Question(2), Question(2), Question(3)},
                 " +4.5 +0 +5 =  9.5 su  15", "6,70", "11", Separators::PeriodOnly},
        Scenario{"blanks around a reply kept as typed", TypeB("1"), {" 4 "},
                 {Question(1)}, " + 4  =  4 su  5", "8,20", "13"},
        Scenario{"every reply zero", TypeB("3"), {"0", "0", "0"},
                 {Question(1), Question(2), Question(3)},
                 " +0 +0 +0 =  0 su  15", "1,00", "1"},
        Scenario{"full marks", TypeB("2"), {"5", "5"}, {Question(1), Question(2)},
                 " +5 +5 =  10 su  10", "10,00", "15"},
        Scenario{"2 of 45 equals the bound 1.4", TypeB("9"),
                 {"2", "0", "0", "0", "0", "0", "0", "0", "0"},
                 {Question(1), Question(2), Question(3), Question(4), Question(5), Question(6),
                  Question(7), Question(8), Question(9)},
                 " +2 +0 +0 +0 +0 +0 +0 +0 +0 =  2 su  45", "1,40", "1"},
        Scenario{"17 of 40 is the tie 4.825, rounded up", TypeB("8"),
                 {"5", "5", "5", "2", "0", "0", "0", "0"},
                 {Question(1), Question(2), Question(3), Question(4), Question(5), Question(6),
                  Question(7), Question(8)},
                 " +5 +5 +5 +2 +0 +0 +0 +0 =  17 su  40", "4,83", "8"},
        Scenario{"empty count", TypeB(""), {}, {EmptyCount}, "", "", ""},
        Scenario{"count 0", TypeB("0"), {}, {}, "", "", ""},
        Scenario{"count minus 3", TypeB("-3"), {}, {}, "", "", ""},
        Scenario{"count 0.9", TypeB("0.9"), {}, {}, "", "", ""},
        Scenario{"count of letters", TypeB("abc"), {}, {}, "", "", ""},
        Scenario{"count of blanks", TypeB("   "), {}, {}, "", "", ""}),
    ScenarioName());
// clang-format on

// A reply that is no number in the user's locale is asked again, silently;
// Cancel ends the calculation where it stands.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    UnreadableReplyAndCancel, TypeBScoring,
    testing::Values(
        Scenario{"empty letters and period under a comma asked again", TypeB("1"),
                 {"", "abc", "4.5", "4"},
                 {Question(1), Question(1), Question(1), Question(1)},
                 " +4 =  4 su  5", "8,20", "13", Separators::CommaOnly},
        Scenario{"empty and comma under a period asked again", TypeB("1"), {"", "4,5", "4.5"},
                 {Question(1), Question(1), Question(1)},
                 " +4.5 =  4.5 su  5", "9,10", "14", Separators::PeriodOnly},
        Scenario{"infinite reply asked again", TypeB("1"), {"1e400", "inf", "3"},
                 {Question(1), Question(1), Question(1)}, " +3 =  3 su  5", "6,40", "10"},
        Scenario{"cancel on the first question", TypeB("3"), {Cancel}, {Question(1)},
                 "", "", ""},
        Scenario{"cancel on the second question keeps the first", TypeB("3"), {"4", Cancel},
                 {Question(1), Question(2)}, " +4", "", ""},
        Scenario{"cancel after an out of range reply", TypeB("2"), {"4", "6", Cancel},
                 {Question(1), Question(2), Question(2)}, " +4", "", ""}),
    ScenarioName());
// clang-format on

TEST(TypeBBreakdown, GrowsWithEachAcceptedReply)
{
    Outcome outcome = Calculate(TypeB("3"), {"4", "5", "3"}, ",");
    EXPECT_EQ(outcome.PuntiAtPrompts(), (std::vector<std::string>{"", " +4", " +4 +5"}));
    EXPECT_EQ(outcome.PuntiWrites(), (std::vector<std::string>{"", " +4", " +4 +5", " +4 +5 +3",
                                                               " +4 +5 +3 =  12 su  15"}));
}

TEST(TypeBBreakdown, RejectedReplyAppendsNothing)
{
    Outcome outcome = Calculate(TypeB("2"), {"7", "5", "-1", "0"}, ",");
    EXPECT_EQ(outcome.PuntiAtPrompts(), (std::vector<std::string>{"", "", " +5", " +5"}));
    EXPECT_EQ(outcome.PuntiWrites(),
              (std::vector<std::string>{"", " +5", " +5 +0", " +5 +0 =  5 su  10"}));
}

} // namespace
} // namespace morvelt
