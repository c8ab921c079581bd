#pragma once

// The window's dialogs played by a script, for the calculation's tests and
// the window's alike: each prompt takes the next reply, and every prompt and
// message is recorded as it reads.

#include "calc/prompter.h"
#include "calc/result_view.h"

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <optional>
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

struct DialogEvent {
    bool isPrompt;          // AskText, or else ShowMessage
    std::string text;       // the prompt or the message
    std::string title;      // of a prompt
    std::string puntiShown; // lblpunti while the dialog is open, when a view is watched
};

// Thrown, when asked for, once the calculation wants more replies than the
// script holds, so that a calculation which keeps asking ends the test
// instead of hanging it.
class ScriptExhausted : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// By default a prompt past the end of the script is cancelled, which ends a
// type-B loop and reads as 0 in a count prompt, so that a wrong script cannot
// hang a window test either.
class ScriptedPrompter final : public Prompter {
public:
    enum class AtScriptEnd { Cancel, Throw };

    ScriptedPrompter(std::initializer_list<Reply> replies = {})
        : m_script(replies)
    {
    }
    explicit ScriptedPrompter(Script script, AtScriptEnd atEnd = AtScriptEnd::Cancel)
        : m_script(std::move(script))
        , m_atEnd(atEnd)
    {
    }

    // A new script, for the prompts still to come.
    void SetScript(Script script)
    {
        m_script = std::move(script);
        m_next = 0;
    }

    // Records what lblpunti shows at each dialog.
    void Watch(const ResultView& view) { m_view = &view; }

    // Run while each prompt, or each message, is open: a teacher reading it.
    void WhilePromptOpen(std::function<void()> wait) { m_promptWait = std::move(wait); }
    void WhileMessageOpen(std::function<void()> wait) { m_messageWait = std::move(wait); }

    std::optional<std::string> AskText(std::string_view prompt, std::string_view title) override
    {
        Record(true, prompt, title);
        if (m_promptWait)
            m_promptWait();
        if (m_next == m_script.size()) {
            if (m_atEnd == AtScriptEnd::Throw)
                throw ScriptExhausted("no reply left for the prompt \"" + std::string(prompt)
                                      + "\"");
            return Cancel;
        }
        return m_script[m_next++];
    }

    void ShowMessage(std::string_view text) override
    {
        Record(false, text, {});
        if (m_messageWait)
            m_messageWait();
    }

    // The message shown last is recorded as it reads now.
    void ReviseMessage(std::string_view text) override
    {
        for (auto event = m_events.rbegin(); event != m_events.rend(); ++event) {
            if (!event->isPrompt) {
                event->text = text;
                return;
            }
        }
    }

    const std::vector<DialogEvent>& Events() const { return m_events; }
    std::size_t UnusedReplies() const { return m_script.size() - m_next; }

private:
    void Record(bool isPrompt, std::string_view text, std::string_view title)
    {
        m_events.push_back({isPrompt, std::string(text), std::string(title),
                            m_view ? m_view->Punti() : std::string()});
    }

    Script m_script;
    std::size_t m_next = 0;
    AtScriptEnd m_atEnd = AtScriptEnd::Cancel;
    const ResultView* m_view = nullptr;
    std::function<void()> m_promptWait;
    std::function<void()> m_messageWait;
    std::vector<DialogEvent> m_events;
};

} // namespace morvelt::fakes
