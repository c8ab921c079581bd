#include "scenario.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvelt {
namespace {

using namespace fakes;

// Unless a row says otherwise: txtb "2", txtc "10", txtpeso "2.5", txtitem "4".
FakeWindow Mixed(WrongAnswerRule rule)
{
    return FakeWindow()
        .Kind(TestKind::Mixed)
        .Rule(rule)
        .Set(Field::txtb, "2")
        .Set(Field::txtc, "10")
        .Set(Field::txtpeso, "2.5")
        .Set(Field::txtitem, "4");
}

FakeWindow Penalize() { return Mixed(WrongAnswerRule::Penalize); }
FakeWindow Penalize(Field field, std::string text) { return Penalize().Set(field, text); }
FakeWindow SameAsBlank() { return Mixed(WrongAnswerRule::SameAsBlank); }
FakeWindow SameAsBlank(Field field, std::string text) { return SameAsBlank().Set(field, text); }

std::string Question(int n)
{
    return Ask("Punti (da 0 a 5) per l'esercizio n." + std::to_string(n) + " tipologia B");
}

const std::string Correct = Ask("Numero di risposte giuste tipologia C");
const std::string Blank = Ask("Numero di risposte non date tipologia C");
const std::string Wrong = Ask("Numero di risposte sbagliate tipologia C");
const std::vector<std::string> TwoAndThree{Question(1), Question(2), Correct, Blank, Wrong};
const std::vector<std::string> TwoAndOne{Question(1), Question(2), Correct};
const std::string SumDiffers = Message(
    "per la tipologia C, giuste + non date + sbagliate deve essere uguale al numero di quesiti");
const std::string EmptyText = Message("Inserire tutti i dati richiesti!");
const std::string BadValue = Message("Controlla tutti i dati richiesti");

const std::string FourThreeSixTwoTwo = " +4 +3 per tipologia B; giuste  6, non date  2, "
                                       "sbagliate  2 per tipologia C. Totale:  43.5 punti su  65";

class MixedPenalize : public testing::TestWithParam<Scenario> {};
TEST_P(MixedPenalize, Click) { CheckScenario(GetParam()); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Examples, MixedPenalize,
    testing::Values(
        Scenario{"4 3 then 6 2 2", Penalize(), {"4", "3", "6", "2", "2"}, TwoAndThree,
                 FourThreeSixTwoTwo, "7,02", "11"},
        Scenario{"reply 4,5 under a comma lies below 7.2", Penalize(),
                 {"4,5", "3", "6", "2", "2"}, TwoAndThree,
                 " +4,5 +3 per tipologia B; giuste  6, non date  2, sbagliate  2 per tipologia C."
                 " Totale:  44.75 punti su  65",
                 "7,20", "11", Separators::CommaOnly},
        Scenario{"all zero and all wrong", Penalize(), {"0", "0", "0", "0", "10"}, TwoAndThree,
                 " +0 +0 per tipologia B; giuste  0, non date  0, sbagliate  10 per tipologia C."
                 " Totale:  0 punti su  65",
                 "1,00", "1"},
        Scenario{"all zero and all unanswered", Penalize(), {"0", "0", "0", "10", "0"},
                 TwoAndThree,
                 " +0 +0 per tipologia B; giuste  0, non date  10, sbagliate  0 per tipologia C."
                 " Totale:  10 punti su  65",
                 "2,38", "3"},
        Scenario{"full marks", Penalize(), {"5", "5", "10", "0", "0"}, TwoAndThree,
                 " +5 +5 per tipologia B; giuste  10, non date  0, sbagliate  0 per tipologia C."
                 " Totale:  65 punti su  65",
                 "10,00", "15"},
        Scenario{"counts outside 0 to 10 asked again", Penalize(),
                 {"4", "3", "11", "6", "-1", "2", "2"},
                 {Question(1), Question(2), Correct, Correct, Blank, Blank, Wrong},
                 FourThreeSixTwoTwo, "7,02", "11"},
        Scenario{"cancelled counts read as 0", Penalize(), {"4", "3", Cancel, "10", Cancel},
                 TwoAndThree,
                 " +4 +3 per tipologia B; giuste  0, non date  10, sbagliate  0 per tipologia C."
                 " Totale:  27.5 punti su  65",
                 "4,81", "8"},
        Scenario{"unrounded counts", Penalize().Set(Field::txtb, "1").Set(Field::txtc, "5"),
                 {"3", "2.5", "2.5", "0"}, {Question(1), Correct, Blank, Wrong},
                 " +3 per tipologia B; giuste  2.5, non date  2.5, sbagliate  0 per tipologia C."
                 " Totale:  20 punti su  32.5",
                 "6,54", "11"},
        Scenario{"14.5 of 45 lies above the bound 3.9", Penalize(Field::txtc, "5"),
                 {"1", "0", "3", "0", "2"}, TwoAndThree,
                 " +1 +0 per tipologia B; giuste  3, non date  0, sbagliate  2 per tipologia C."
                 " Totale:  14.5 punti su  45",
                 "3,90", "7"},
        Scenario{"count 2.9 asks two questions", Penalize(Field::txtb, "2.9"),
                 {"4", "3", "6", "2", "2"}, TwoAndThree, FourThreeSixTwoTwo, "7,02", "11"},
        Scenario{"0.3 + 0.1 + 0.6 adds up to 1",
                 Penalize().Set(Field::txtb, "1").Set(Field::txtc, "1"),
                 {"0", "0.3", "0.6", "0.1"}, {Question(1), Correct, Blank, Wrong},
                 " +0 per tipologia B; giuste  0.3, non date  0.6, sbagliate  0.1 per tipologia C."
                 " Totale:  1.8 punti su  16.5",
                 "1,98", "3"}),
    ScenarioName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Failures, MixedPenalize,
    testing::Values(
        Scenario{"counts add up to 9", Penalize(), {"4", "3", "6", "2", "1"},
                 {Question(1), Question(2), Correct, Blank, Wrong, SumDiffers}, " +4 +3", "", ""},
        Scenario{"0.2 + 0.7 + 0.1 falls short of 1",
                 Penalize().Set(Field::txtb, "1").Set(Field::txtc, "1"),
                 {"0", "0.2", "0.1", "0.7"}, {Question(1), Correct, Blank, Wrong, SumDiffers},
                 " +0", "", ""},
        Scenario{"txtb empty", Penalize(Field::txtb, ""), {}, {EmptyText}, "", "", ""},
        Scenario{"txtc empty", Penalize(Field::txtc, ""), {}, {EmptyText}, "", "", ""},
        Scenario{"txtpeso empty", Penalize(Field::txtpeso, ""), {}, {EmptyText}, "", "", ""},
        Scenario{"txtpeso 0,5", Penalize(Field::txtpeso, "0,5"), {}, {BadValue}, "", "", ""},
        Scenario{"txtpeso abc", Penalize(Field::txtpeso, "abc"), {}, {BadValue}, "", "", ""},
        Scenario{"txtb 0", Penalize(Field::txtb, "0"), {}, {BadValue}, "", "", ""},
        Scenario{"txtc 0.9", Penalize(Field::txtc, "0.9"), {}, {BadValue}, "", "", ""},
        Scenario{"txtb blank", Penalize(Field::txtb, "   "), {}, {BadValue}, "", "", ""},
        Scenario{"txtitem empty", Penalize(Field::txtitem, ""), {}, {BadValue}, "", "", ""},
        Scenario{"txtitem 0", Penalize(Field::txtitem, "0"), {}, {BadValue}, "", "", ""}),
    ScenarioName());
// clang-format on

class MixedSameAsBlank : public testing::TestWithParam<Scenario> {};
TEST_P(MixedSameAsBlank, Click) { CheckScenario(GetParam()); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Examples, MixedSameAsBlank,
    testing::Values(
        Scenario{"4 3 then 6 with txtitem empty", SameAsBlank(Field::txtitem, ""),
                 {"4", "3", "6"}, TwoAndOne,
                 " +4 +3 per tipologia B; giuste  6 per tipologia C. Totale:  19 punti su  30",
                 "7,07", "11"},
        Scenario{"txtitem 0 makes no difference", SameAsBlank(Field::txtitem, "0"),
                 {"4", "3", "6"}, TwoAndOne,
                 " +4 +3 per tipologia B; giuste  6 per tipologia C. Totale:  19 punti su  30",
                 "7,07", "11"},
        Scenario{"nothing scored gives 1 not 2", SameAsBlank(), {"0", "0", "0"}, TwoAndOne,
                 " +0 +0 per tipologia B; giuste  0 per tipologia C. Totale:  0 punti su  30",
                 "1,00", "1"},
        Scenario{"one point starts from 2", SameAsBlank(), {"0", "1", "0"}, TwoAndOne,
                 " +0 +1 per tipologia B; giuste  0 per tipologia C. Totale:  1 punti su  30",
                 "2,27", "3"},
        Scenario{"full marks", SameAsBlank(), {"5", "5", "10"}, TwoAndOne,
                 " +5 +5 per tipologia B; giuste  10 per tipologia C. Totale:  30 punti su  30",
                 "10,00", "15"},
        Scenario{"thirds lie above the bound 5.2",
                 SameAsBlank().Set(Field::txtb, "1").Set(Field::txtc, "7").Set(Field::txtpeso, "3"),
                 {"0", "4"}, {Question(1), Correct},
                 " +0 per tipologia B; giuste  4 per tipologia C."
                 " Totale:  6.66666666666667 punti su  16.6666666666667",
                 "5,20", "9"},
        Scenario{"five thirds shown with 15 digits",
                 SameAsBlank().Set(Field::txtb, "1").Set(Field::txtc, "1").Set(Field::txtpeso, "3"),
                 {"0", "1"}, {Question(1), Correct},
                 " +0 per tipologia B; giuste  1 per tipologia C."
                 " Totale:  1.66666666666667 punti su  6.66666666666667",
                 "4,00", "7"},
        Scenario{"weight 2,5 reads as 2", SameAsBlank(Field::txtpeso, "2,5"), {"4", "3", "6"},
                 TwoAndOne,
                 " +4 +3 per tipologia B; giuste  6 per tipologia C. Totale:  22 punti su  35",
                 "7,03", "11"},
        Scenario{"count outside 0 to 10 asked again", SameAsBlank(), {"4", "3", "11", "-1", "6"},
                 {Question(1), Question(2), Correct, Correct, Correct},
                 " +4 +3 per tipologia B; giuste  6 per tipologia C. Totale:  19 punti su  30",
                 "7,07", "11"},
        Scenario{"cancelled count reads as 0", SameAsBlank(), {"4", "3", Cancel}, TwoAndOne,
                 " +4 +3 per tipologia B; giuste  0 per tipologia C. Totale:  7 punti su  30",
                 "3,87", "6"},
        Scenario{"txtb empty", SameAsBlank(Field::txtb, ""), {}, {EmptyText}, "", "", ""},
        Scenario{"txtc empty", SameAsBlank(Field::txtc, ""), {}, {EmptyText}, "", "", ""},
        Scenario{"txtpeso empty", SameAsBlank(Field::txtpeso, ""), {}, {EmptyText}, "", "", ""},
        Scenario{"txtpeso 0,5", SameAsBlank(Field::txtpeso, "0,5"), {}, {BadValue}, "", "", ""},
        Scenario{"txtpeso abc", SameAsBlank(Field::txtpeso, "abc"), {}, {BadValue}, "", "", ""},
        Scenario{"txtb 0", SameAsBlank(Field::txtb, "0"), {}, {BadValue}, "", "", ""},
        Scenario{"txtc 0.9", SameAsBlank(Field::txtc, "0.9"), {}, {BadValue}, "", "", ""}),
    ScenarioName());
// clang-format on

// Type-B replies that are no number are asked again; Cancel on a type-B
// prompt ends the calculation with the breakdown as far as it got.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    UnreadableReplyAndCancel, MixedPenalize,
    testing::Values(
        Scenario{"empty letters and period under a comma asked again", Penalize(),
                 {"", "abc", "4.5", "4", "3", "6", "2", "2"},
                 {Question(1), Question(1), Question(1), Question(1), Question(2), Correct, Blank,
                  Wrong},
                 FourThreeSixTwoTwo, "7,02", "11", Separators::CommaOnly},
        Scenario{"cancel on the second question", Penalize(), {"4", Cancel},
                 {Question(1), Question(2)}, " +4", "", ""},
        Scenario{"cancel on the first question", Penalize(), {Cancel}, {Question(1)}, "", "",
                 ""}),
    ScenarioName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    UnreadableReplyAndCancel, MixedSameAsBlank,
    testing::Values(
        Scenario{"empty and comma under a period asked again", SameAsBlank(),
                 {"", "4,5", "4", "3", "6"},
                 {Question(1), Question(1), Question(1), Question(2), Correct},
                 " +4 +3 per tipologia B; giuste  6 per tipologia C. Totale:  19 punti su  30",
                 "7,07", "11", Separators::PeriodOnly},
        Scenario{"cancel on the second question", SameAsBlank(), {"4", Cancel},
                 {Question(1), Question(2)}, " +4", "", ""}),
    ScenarioName());
// clang-format on

TEST(MixedBreakdown, TypeBPartGrowsThenCountsAppendOnce)
{
    Outcome outcome = Calculate(Penalize(), {"4", "3", "6", "2", "2"}, ",");
    EXPECT_EQ(outcome.PuntiAtPrompts(),
              (std::vector<std::string>{"", " +4", " +4 +3", " +4 +3", " +4 +3"}));
    EXPECT_EQ(outcome.PuntiWrites(),
              (std::vector<std::string>{"", " +4", " +4 +3", FourThreeSixTwoTwo}));
}

TEST(MixedBreakdown, SumMessageShownOverTheTypeBPart)
{
    Outcome outcome = Calculate(Penalize(), {"4", "3", "6", "2", "1"}, ",");
    ASSERT_FALSE(outcome.dialogs.empty());
    EXPECT_FALSE(outcome.dialogs.back().isPrompt);
    EXPECT_EQ(outcome.dialogs.back().puntiShown, " +4 +3");
}

} // namespace
} // namespace morvelt
