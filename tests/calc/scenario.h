#pragma once

// A click described as a table row: the window, the replies typed, and what
// the user must see. One parameterised test per scoring family runs its rows.

#include "scripted_prompter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace morvelt::fakes {

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
