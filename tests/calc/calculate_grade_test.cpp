#include "scenario.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace morvelt {
namespace {

using namespace fakes;

const std::vector<CaptionWrite> Cleared{
    {Caption::lblpunti, ""}, {Caption::lblvoto10, ""}, {Caption::lblvoto15, ""}};

TEST(CalculateGrade, ClearsTheThreeCaptionsFirstInOrder)
{
    FakeWindow typeB = FakeWindow().Set(Field::txtb, "1");
    Outcome outcome = Calculate(typeB, {"5"}, ",");
    ASSERT_GE(outcome.writes.size(), 3u);
    EXPECT_EQ(std::vector<CaptionWrite>(outcome.writes.begin(), outcome.writes.begin() + 3),
              Cleared);
}

TEST(CalculateGrade, WritesTenthsThenFifteenthsLast)
{
    FakeWindow typeB = FakeWindow().Set(Field::txtb, "3");
    Outcome outcome = Calculate(typeB, {"4", "5", "3"}, ",");
    ASSERT_GE(outcome.writes.size(), 2u);
    std::vector<CaptionWrite> last(outcome.writes.end() - 2, outcome.writes.end());
    EXPECT_EQ(last, (std::vector<CaptionWrite>{{Caption::lblvoto10, "8,20"},
                                               {Caption::lblvoto15, "13"}}));
}

struct Unrun {
    const char* name;
    std::optional<TestKind> kind;
    std::optional<WrongAnswerRule> rule;
};

// States the window never reaches, but which the calculation accepts: the
// click only empties the captions, whatever the fields hold.
class NoBlockRuns : public testing::TestWithParam<Unrun> {};

TEST_P(NoBlockRuns, OnlyClears)
{
    FakeWindow window = FakeWindow()
                            .Kind(GetParam().kind)
                            .Rule(GetParam().rule)
                            .Set(Field::txtb, "2")
                            .Set(Field::txtc, "10");
    Outcome outcome = Calculate(window, {}, ",");
    EXPECT_TRUE(outcome.dialogs.empty());
    EXPECT_EQ(outcome.writes, Cleared);
}

INSTANTIATE_TEST_SUITE_P(
    UnreachableSelections, NoBlockRuns,
    testing::Values(Unrun{"no test type", std::nullopt, WrongAnswerRule::SameAsBlank},
                    Unrun{"no test type nor rule", std::nullopt, std::nullopt},
                    Unrun{"C without a rule", TestKind::C, std::nullopt},
                    Unrun{"mixed without a rule", TestKind::Mixed, std::nullopt}),
    [](const testing::TestParamInfo<Unrun>& info) { return RowName(info.param.name); });

FakeWindow TypeB(std::string txtb) { return FakeWindow().Set(Field::txtb, std::move(txtb)); }

FakeWindow TypeC(WrongAnswerRule rule, std::string txtc, std::string txtitem = "4")
{
    return FakeWindow()
        .Kind(TestKind::C)
        .Rule(rule)
        .Set(Field::txtc, std::move(txtc))
        .Set(Field::txtitem, std::move(txtitem));
}

FakeWindow Mixed(WrongAnswerRule rule, Field field, std::string text)
{
    return FakeWindow()
        .Kind(TestKind::Mixed)
        .Rule(rule)
        .Set(Field::txtb, "2")
        .Set(Field::txtc, "10")
        .Set(field, std::move(text));
}

constexpr auto Penalize = WrongAnswerRule::Penalize;
constexpr auto SameAsBlank = WrongAnswerRule::SameAsBlank;
const std::string BadValue = Message("Controlla tutti i dati richiesti");

// A value too large for a double, or a shape whose maximum overflows, is an
// invalid value at the block's own check, so that no "inf" or "nan" and no
// grade outside 1 to 10 reaches a caption.
class Overflow : public testing::TestWithParam<Scenario> {};
TEST_P(Overflow, Click) { CheckScenario(GetParam()); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    InvalidValues, Overflow,
    testing::Values(
        Scenario{"type B count 1e400", TypeB("1e400"), {}, {}, "", "", ""},
        Scenario{"type B maximum of 1e308 questions", TypeB("1e308"), {}, {}, "", "", ""},
        Scenario{"type C penalize count 1e400", TypeC(Penalize, "1e400"), {}, {}, "", "", ""},
        Scenario{"type C penalize items 1e400", TypeC(Penalize, "10", "1e400"), {}, {}, "", "",
                 ""},
        Scenario{"type C penalize maximum 1e200 by 1e200", TypeC(Penalize, "1e200", "1e200"), {},
                 {}, "", "", ""},
        Scenario{"type C same as blank count 1e400", TypeC(SameAsBlank, "1e400"), {}, {}, "", "",
                 ""},
        Scenario{"mixed penalize weight 1e308", Mixed(Penalize, Field::txtpeso, "1e308"), {},
                 {BadValue}, "", "", ""},
        Scenario{"mixed penalize weight 1e400", Mixed(Penalize, Field::txtpeso, "1e400"), {},
                 {BadValue}, "", "", ""},
        Scenario{"mixed penalize txtb 1e400", Mixed(Penalize, Field::txtb, "1e400"), {},
                 {BadValue}, "", "", ""},
        Scenario{"mixed penalize txtc 1e400", Mixed(Penalize, Field::txtc, "1e400"), {},
                 {BadValue}, "", "", ""},
        Scenario{"mixed penalize items 1e400", Mixed(Penalize, Field::txtitem, "1e400"), {},
                 {BadValue}, "", "", ""},
        Scenario{"mixed same as blank weight 1e-320", Mixed(SameAsBlank, Field::txtpeso, "1e-320"),
                 {}, {BadValue}, "", "", ""},
        Scenario{"mixed same as blank weight 1e-400", Mixed(SameAsBlank, Field::txtpeso, "1e-400"),
                 {}, {BadValue}, "", "", ""},
        Scenario{"mixed same as blank txtc 1e308", Mixed(SameAsBlank, Field::txtc, "1e308"), {},
                 {BadValue}, "", "", ""}),
    ScenarioName());
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    LargeButFinite, Overflow,
    testing::Values(
        Scenario{"count reply 1e400 asked again", TypeC(SameAsBlank, "10"), {"1e400", "7"},
                 {Ask("Numero di risposte giuste"), Ask("Numero di risposte giuste")},
                 "Giuste:  7; Non date o sbagliate: 3.", "7,30", "12"},
        Scenario{"1e300 questions", TypeC(SameAsBlank, "1e300"), {"1e300"},
                 {Ask("Numero di risposte giuste")}, "Giuste:  1E+300; Non date o sbagliate: 0.",
                 "10,00", "15"},
        Scenario{"weight 1e-300 keeps the maximum finite",
                 Mixed(SameAsBlank, Field::txtpeso, "1e-300").Set(Field::txtc, "1"),
                 {"5", "5", "1"},
                 {Ask("Punti (da 0 a 5) per l'esercizio n.1 tipologia B"),
                  Ask("Punti (da 0 a 5) per l'esercizio n.2 tipologia B"),
                  Ask("Numero di risposte giuste tipologia C")},
                 " +5 +5 per tipologia B; giuste  1 per tipologia C. Totale:  5E+300 punti su  5E+300",
                 "10,00", "15"}),
    ScenarioName());
// clang-format on

} // namespace
} // namespace morvelt
