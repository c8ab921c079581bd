#pragma once

// A click of the calculate button, run through stand-ins for the window (its
// options and field texts, the shared scripted prompter and recording view),
// and described as a table row: the window, the replies typed, and what the
// user must see. One parameterised test per scoring family runs its rows.

#include "calc/calculate_grade.h"
#include "calc/window_values.h"
#include "tests/support/recording_view.h"
#include "tests/support/scripted_prompter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morvelt::fakes {

// The window as it opens: "B" selected, the wrong-answer rule SameAsBlank,
// txtpeso "2.5" and txtitem "4", txtb and txtc empty.
class FakeWindow : public WindowValues {
public:
    FakeWindow& Kind(std::optional<TestKind> kind)
    {
        m_kind = kind;
        return *this;
    }
    FakeWindow& Rule(std::optional<WrongAnswerRule> rule)
    {
        m_rule = rule;
        return *this;
    }
    FakeWindow& Set(Field field, std::string text)
    {
        m_texts[field] = std::move(text);
        return *this;
    }

    bool IsSelected(TestKind kind) const override { return m_kind == kind; }
    bool IsSelected(WrongAnswerRule rule) const override { return m_rule == rule; }
    std::string Text(Field field) const override { return m_texts.at(field); }

private:
    std::optional<TestKind> m_kind = TestKind::B;
    std::optional<WrongAnswerRule> m_rule = WrongAnswerRule::SameAsBlank;
    std::map<Field, std::string> m_texts{
        {Field::txtb, ""}, {Field::txtc, ""}, {Field::txtitem, "4"}, {Field::txtpeso, "2.5"}};
};

// Everything one click leaves behind.
struct Outcome {
    std::vector<DialogEvent> dialogs;
    std::vector<CaptionWrite> writes;
    std::string punti;
    std::string voto10;
    std::string voto15;
    std::size_t unusedReplies = 0;

    // "? prompt" for each prompt and "! message" for each message, in order.
    std::vector<std::string> Log() const
    {
        std::vector<std::string> log;
        for (const DialogEvent& event : dialogs)
            log.push_back((event.isPrompt ? "? " : "! ") + event.text);
        return log;
    }

    // lblpunti as it stood at each prompt, that is after the previous reply.
    std::vector<std::string> PuntiAtPrompts() const
    {
        std::vector<std::string> shown;
        for (const DialogEvent& event : dialogs) {
            if (event.isPrompt)
                shown.push_back(event.puntiShown);
        }
        return shown;
    }

    // Every text given to lblpunti, the clearing included.
    std::vector<std::string> PuntiWrites() const
    {
        std::vector<std::string> texts;
        for (const CaptionWrite& write : writes) {
            if (write.caption == Caption::lblpunti)
                texts.push_back(write.text);
        }
        return texts;
    }
};

inline std::string Ask(std::string_view prompt) { return "? " + std::string(prompt); }
inline std::string Message(std::string_view text) { return "! " + std::string(text); }

// Runs one click of the calculate button. A script that runs out fails the
// test; the outcome then holds what happened up to that prompt.
inline Outcome Calculate(const FakeWindow& window, Script script, std::string_view decimalSeparator)
{
    RecordingView view;
    ScriptedPrompter prompter(std::move(script), ScriptedPrompter::AtScriptEnd::Throw);
    prompter.Watch(view);
    try {
        CalculateGrade(window, prompter, view, decimalSeparator);
    } catch (const ScriptExhausted& e) {
        ADD_FAILURE() << e.what();
    }
    return {prompter.Events(), view.Writes(), view.Punti(),
            view.Voto10(),     view.Voto15(), prompter.UnusedReplies()};
}

enum class Separators { Both, CommaOnly, PeriodOnly };

struct Scenario {
    std::string name;
    FakeWindow window;
    Script replies;
    std::vector<std::string> log; // Ask(prompt) and Message(text), in order
    std::string punti;
    std::string voto10; // as shown under a decimal comma
    std::string voto15;
    Separators separators = Separators::Both;
};

inline void PrintTo(const Scenario& scenario, std::ostream* os) { *os << scenario.name; }

// "58 of 180, above 3.9" -> "58_of_180_above_3_9": a readable row name that
// GoogleTest accepts.
inline std::string RowName(const std::string& text)
{
    std::string name;
    for (char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += c;
        else if (!name.empty() && name.back() != '_')
            name += '_';
    }
    while (!name.empty() && name.back() == '_')
        name.pop_back();
    return name;
}

struct ScenarioName {
    std::string operator()(const testing::TestParamInfo<Scenario>& info) const
    {
        return RowName(info.param.name);
    }
};

inline bool ShowsNonNumber(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text.find("inf") != std::string::npos || text.find("nan") != std::string::npos;
}

inline void CheckScenario(const Scenario& s)
{
    std::vector<std::string> separators;
    if (s.separators != Separators::PeriodOnly)
        separators.push_back(",");
    if (s.separators != Separators::CommaOnly)
        separators.push_back(".");

    for (const std::string& separator : separators) {
        SCOPED_TRACE("decimal separator \"" + separator + "\"");
        Outcome outcome = Calculate(s.window, s.replies, separator);

        EXPECT_EQ(outcome.Log(), s.log);
        for (const DialogEvent& event : outcome.dialogs) {
            if (event.isPrompt) {
                EXPECT_EQ(event.title, "Punteggi") << "prompt \"" << event.text << '"';
            }
        }
        EXPECT_EQ(outcome.unusedReplies, 0u) << "the calculation ended before the script did";

        std::string voto10 = s.voto10;
        if (separator == ".")
            std::replace(voto10.begin(), voto10.end(), ',', '.');
        EXPECT_EQ(outcome.punti, s.punti);
        EXPECT_EQ(outcome.voto10, voto10);
        EXPECT_EQ(outcome.voto15, s.voto15);

        for (const CaptionWrite& write : outcome.writes)
            EXPECT_FALSE(ShowsNonNumber(write.text)) << testing::PrintToString(write);
    }
}

} // namespace morvelt::fakes
