#include "scenario.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvelt {
namespace {

using namespace fakes;

FakeWindow Penalize(std::string txtc, std::string txtitem = "4")
{
    return FakeWindow()
        .Kind(TestKind::C)
        .Rule(WrongAnswerRule::Penalize)
        .Set(Field::txtc, std::move(txtc))
        .Set(Field::txtitem, std::move(txtitem));
}

FakeWindow SameAsBlank(std::string txtc, std::string txtitem = "4")
{
    return Penalize(std::move(txtc), std::move(txtitem)).Rule(WrongAnswerRule::SameAsBlank);
}

const std::string Correct = Ask("Numero di risposte giuste");
const std::string Blank = Ask("Numero di risposte non date");
const std::string Wrong = Ask("Numero di risposte sbagliate");
const std::vector<std::string> ThreeCounts{Correct, Blank, Wrong};
const std::string SumDiffers = Message(
    "giuste + non date + sbagliate deve essere uguale al numero di quesiti");
const std::string EmptyCount = Message("Inserire il numero di quesiti!");

class TypeCPenalize : public testing::TestWithParam<Scenario> {};
TEST_P(TypeCPenalize, Click) { CheckScenario(GetParam()); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Examples, TypeCPenalize,
    testing::Values(
        Scenario{"6 2 2 of 10 with 4 items", Penalize("10"), {"6", "2", "2"}, ThreeCounts,
                 "Giuste:  6; Non date: 2; Sbagliate:  2. Totale:  26 punti su  40", "6,85", "11"},
        Scenario{"6 2 2 of 10 with 2 items", Penalize("10", "2"), {"6", "2", "2"}, ThreeCounts,
                 "Giuste:  6; Non date: 2; Sbagliate:  2. Totale:  14 punti su  20", "7,30", "12"},
        Scenario{"items read up to the first letter", Penalize("10", "4 risposte"),
                 {"6", "2", "2"}, ThreeCounts,
                 "Giuste:  6; Non date: 2; Sbagliate:  2. Totale:  26 punti su  40", "6,85", "11"},
        Scenario{"all unanswered", Penalize("10"), {"0", "10", "0"}, ThreeCounts,
                 "Giuste:  0; Non date: 10; Sbagliate:  0. Totale:  10 punti su  40", "3,25", "5"},
        Scenario{"all wrong", Penalize("10"), {"0", "0", "10"}, ThreeCounts,
                 "Giuste:  0; Non date: 0; Sbagliate:  10. Totale:  0 punti su  40", "1,00", "1"},
        Scenario{"all correct", Penalize("10"), {"10", "0", "0"}, ThreeCounts,
                 "Giuste:  10; Non date: 0; Sbagliate:  0. Totale:  40 punti su  40", "10,00", "15"},
        Scenario{"unrounded counts", Penalize("10"), {"6.5", "1.5", "2"}, ThreeCounts,
                 "Giuste:  6.5; Non date: 1.5; Sbagliate:  2. Totale:  27.5 punti su  40", "7,19",
                 "11"},
        Scenario{"58 of 180 lies above the bound 3.9", Penalize("45"), {"14", "2", "29"},
                 ThreeCounts,
                 "Giuste:  14; Non date: 2; Sbagliate:  29. Totale:  58 punti su  180", "3,90", "7"},
        Scenario{"2 of 45 equals the bound 1.4", Penalize("45", "1"), {"2", "0", "43"},
                 ThreeCounts,
                 "Giuste:  2; Non date: 0; Sbagliate:  43. Totale:  2 punti su  45", "1,40", "1"},
        Scenario{"counts outside 0 to 10 asked again", Penalize("10"),
                 {"11", "6", "-1", "2", "2"}, {Correct, Correct, Blank, Blank, Wrong},
                 "Giuste:  6; Non date: 2; Sbagliate:  2. Totale:  26 punti su  40", "6,85", "11"},
        Scenario{"letters and cancel count as 0", Penalize("10"), {"abc", Cancel, "10"},
                 ThreeCounts,
                 "Giuste:  0; Non date: 0; Sbagliate:  10. Totale:  0 punti su  40", "1,00", "1"},
        Scenario{"count 10.5 of 10.9 asked again", Penalize("10.9"), {"10.5", "10", "0", "0"},
                 {Correct, Correct, Blank, Wrong},
                 "Giuste:  10; Non date: 0; Sbagliate:  0. Totale:  40 punti su  40", "10,00", "15"},
        // (correct + wrong) + blank, in that order, is compared with the count
        Scenario{"0.3 + 0.1 + 0.6 adds up to 1", Penalize("1"), {"0.3", "0.6", "0.1"},
                 ThreeCounts,
                 "Giuste:  0.3; Non date: 0.6; Sbagliate:  0.1. Totale:  1.8 punti su  4", "5,05",
                 "8"},
        Scenario{"0.2 + 0.7 + 0.1 falls short of 1", Penalize("1"), {"0.2", "0.1", "0.7"},
                 {Correct, Blank, Wrong, SumDiffers}, "", "", ""}),
    ScenarioName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Failures, TypeCPenalize,
    testing::Values(
        Scenario{"counts add up to 9", Penalize("10"), {"6", "2", "1"},
                 {Correct, Blank, Wrong, SumDiffers}, "", "", ""},
        Scenario{"cancel on every count", Penalize("10"), {Cancel, Cancel, Cancel},
                 {Correct, Blank, Wrong, SumDiffers}, "", "", ""},
        Scenario{"decimal comma ends the count", Penalize("10"), {"6,5", "1.5", "2"},
                 {Correct, Blank, Wrong, SumDiffers}, "", "", ""},
        Scenario{"empty count of questions", Penalize(""), {}, {EmptyCount}, "", "", ""},
        Scenario{"count of questions 0", Penalize("0"), {}, {}, "", "", ""},
        Scenario{"count of questions minus 3", Penalize("-3"), {}, {}, "", "", ""},
        Scenario{"count of questions 0.9", Penalize("0.9"), {}, {}, "", "", ""},
        Scenario{"count of questions in letters", Penalize("abc"), {}, {}, "", "", ""},
        Scenario{"count of questions blank", Penalize("   "), {}, {}, "", "", ""},
        Scenario{"items empty", Penalize("10", ""), {}, {}, "", "", ""},
        Scenario{"items 0", Penalize("10", "0"), {}, {}, "", "", ""},
        Scenario{"items 0.5", Penalize("10", "0.5"), {}, {}, "", "", ""},
        Scenario{"both empty asks for the questions", Penalize("", ""), {}, {EmptyCount}, "",
                 "", ""}),
    ScenarioName());
// clang-format on

class TypeCSameAsBlank : public testing::TestWithParam<Scenario> {};
TEST_P(TypeCSameAsBlank, Click) { CheckScenario(GetParam()); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Examples, TypeCSameAsBlank,
    testing::Values(
        Scenario{"7 of 10", SameAsBlank("10"), {"7"}, {Correct},
                 "Giuste:  7; Non date o sbagliate: 3.", "7,30", "12"},
        Scenario{"7 of 10 with items empty", SameAsBlank("10", ""), {"7"}, {Correct},
                 "Giuste:  7; Non date o sbagliate: 3.", "7,30", "12"},
        Scenario{"10 of 10", SameAsBlank("10"), {"10"}, {Correct},
                 "Giuste:  10; Non date o sbagliate: 0.", "10,00", "15"},
        Scenario{"0 of 10", SameAsBlank("10"), {"0"}, {Correct},
                 "Giuste:  0; Non date o sbagliate: 10.", "1,00", "1"},
        Scenario{"2.5 of 10", SameAsBlank("10"), {"2.5"}, {Correct},
                 "Giuste:  2.5; Non date o sbagliate: 7.5.", "3,25", "5"},
        Scenario{"6 of 10 lies below the bound 6.4", SameAsBlank("10"), {"6"}, {Correct},
                 "Giuste:  6; Non date o sbagliate: 4.", "6,40", "10"},
        Scenario{"29 of 90 lies above the bound 3.9", SameAsBlank("90"), {"29"}, {Correct},
                 "Giuste:  29; Non date o sbagliate: 61.", "3,90", "7"},
        Scenario{"2 of 45 equals the bound 1.4", SameAsBlank("45"), {"2"}, {Correct},
                 "Giuste:  2; Non date o sbagliate: 43.", "1,40", "1"},
        Scenario{"5 of 8 rounds half way up", SameAsBlank("8"), {"5"}, {Correct},
                 "Giuste:  5; Non date o sbagliate: 3.", "6,63", "11"},
        Scenario{"counts outside 0 to 10 asked again", SameAsBlank("10"), {"11", "-1", "7"},
                 {Correct, Correct, Correct}, "Giuste:  7; Non date o sbagliate: 3.", "7,30",
                 "12"},
        Scenario{"cancel counts as 0", SameAsBlank("10"), {Cancel}, {Correct},
                 "Giuste:  0; Non date o sbagliate: 10.", "1,00", "1"},
        Scenario{"minus zero shows as 0", SameAsBlank("10"), {"-0"}, {Correct},
                 "Giuste:  0; Non date o sbagliate: 10.", "1,00", "1"},
        Scenario{"empty count of questions", SameAsBlank(""), {}, {EmptyCount}, "", "", ""},
        Scenario{"count of questions 0", SameAsBlank("0"), {}, {}, "", "", ""},
        Scenario{"count of questions minus 3", SameAsBlank("-3"), {}, {}, "", "", ""},
        Scenario{"count of questions in letters", SameAsBlank("abc"), {}, {}, "", "", ""},
        Scenario{"count of questions blank", SameAsBlank("   "), {}, {}, "", "", ""}),
    ScenarioName());
// clang-format on

// Neither type-C block touches lblpunti until the counts are accepted, and
// then writes the breakdown in one piece.
TEST(TypeCBreakdown, WrittenOnceAtTheEnd)
{
    Outcome penalize = Calculate(Penalize("10"), {"11", "6", "2", "2"}, ",");
    EXPECT_EQ(penalize.PuntiAtPrompts(), (std::vector<std::string>{"", "", "", ""}));
    EXPECT_EQ(penalize.PuntiWrites(),
              (std::vector<std::string>{
                  "", "Giuste:  6; Non date: 2; Sbagliate:  2. Totale:  26 punti su  40"}));

    Outcome sameAsBlank = Calculate(SameAsBlank("10"), {"7"}, ",");
    EXPECT_EQ(sameAsBlank.PuntiAtPrompts(), (std::vector<std::string>{""}));
    EXPECT_EQ(sameAsBlank.PuntiWrites(),
              (std::vector<std::string>{"", "Giuste:  7; Non date o sbagliate: 3."}));
}

} // namespace
} // namespace morvelt
