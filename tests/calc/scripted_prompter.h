#pragma once

// Stand-ins for the window while the calculation runs: a prompter that plays
// a script of replies and records every dialog, a result view that records
// every caption write, and the window's options and field texts. Calculate()
// runs one click through them and returns everything the user would have seen.

#include "calc/calculate_grade.h"
#include "calc/prompter.h"
#include "calc/result_view.h"
#include "calc/window_values.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morvelt::fakes {

// One reply of the script: a text confirmed with OK, or Cancel.
using Reply = std::optional<std::string>;
using Script = std::vector<Reply>;
inline const Reply Cancel = std::nullopt;

enum class Caption { lblpunti, lblvoto10, lblvoto15 };

struct CaptionWrite {
    Caption caption;
    std::string text;
    bool operator==(const CaptionWrite&) const = default;
};

inline void PrintTo(const CaptionWrite& write, std::ostream* os)
{
    static constexpr const char* names[] = {"lblpunti", "lblvoto10", "lblvoto15"};
    *os << names[static_cast<int>(write.caption)] << " = \"" << write.text << '"';
}

// The captions start with what an earlier click could have left, so that a
// test sees whether the calculation cleared them.
class RecordingView : public ResultView {
public:
    std::string Punti() const override { return m_punti; }
    void SetPunti(std::string_view text) override { Write(Caption::lblpunti, m_punti, text); }
    void SetVoto10(std::string_view text) override { Write(Caption::lblvoto10, m_voto10, text); }
    void SetVoto15(std::string_view text) override { Write(Caption::lblvoto15, m_voto15, text); }

    const std::string& Voto10() const { return m_voto10; }
    const std::string& Voto15() const { return m_voto15; }
    const std::vector<CaptionWrite>& Writes() const { return m_writes; }

private:
    void Write(Caption caption, std::string& shown, std::string_view text)
    {
        shown = text;
        m_writes.push_back({caption, shown});
    }

    std::string m_punti = " +1 =  1 su  5";
    std::string m_voto10 = "1,90";
    std::string m_voto15 = "2";
    std::vector<CaptionWrite> m_writes;
};

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

struct DialogEvent {
    bool isPrompt;            // AskText, or else ShowMessage
    std::string text;         // the prompt or the message
    std::string title;        // of a prompt
    std::string puntiShown;   // lblpunti while the dialog is open
};

// Thrown when the calculation asks for more replies than the script holds, so
// that a calculation which keeps asking ends the test instead of hanging it.
class ScriptExhausted : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ScriptedPrompter : public Prompter {
public:
    ScriptedPrompter(const ResultView& view, Script script)
        : m_view(view), m_script(std::move(script))
    {
    }

    std::optional<std::string> AskText(std::string_view prompt, std::string_view title) override
    {
        m_events.push_back({true, std::string(prompt), std::string(title), m_view.Punti()});
        if (m_next == m_script.size())
            throw ScriptExhausted("no reply left for the prompt \"" + std::string(prompt) + "\"");
        return m_script[m_next++];
    }

    void ShowMessage(std::string_view text) override
    {
        m_events.push_back({false, std::string(text), "", m_view.Punti()});
    }

    const std::vector<DialogEvent>& Events() const { return m_events; }
    std::size_t UnusedReplies() const { return m_script.size() - m_next; }

private:
    const ResultView& m_view;
    Script m_script;
    std::size_t m_next = 0;
    std::vector<DialogEvent> m_events;
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
inline Outcome Calculate(const FakeWindow& window, Script script,
                         std::string_view decimalSeparator)
{
    RecordingView view;
    ScriptedPrompter prompter(view, std::move(script));
    try {
        CalculateGrade(window, prompter, view, decimalSeparator);
    } catch (const ScriptExhausted& e) {
        ADD_FAILURE() << e.what();
    }
    return {prompter.Events(), view.Writes(), view.Punti(), view.Voto10(), view.Voto15(),
            prompter.UnusedReplies()};
}

} // namespace morvelt::fakes
