#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace morvelt {

// The modal dialogs of the calculation and of the help buttons. Every text
// is UTF-8.
class Prompter {
public:
    virtual ~Prompter() = default;

    // Shows an input box with an empty reply field, OK and Cancel. Returns
    // the reply, or nothing when the user cancels: a type-B score prompt lets
    // the teacher out of the calculation, while a count prompt reads a cancel
    // as the empty reply.
    virtual std::optional<std::string> AskText(std::string_view prompt, std::string_view title) = 0;

    // Shows the text with a single OK button under the application's title.
    virtual void ShowMessage(std::string_view text) = 0;

    // Changes the text of the message that ShowMessage shows, while it is
    // still open: the window's print failures count in it the presses they
    // stand for. A prompter whose messages close at once has none to change.
    virtual void ReviseMessage([[maybe_unused]] std::string_view text) {}
};

} // namespace morvelt
