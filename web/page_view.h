#pragma once

#include "calc/prompter.h"
#include "form/form_view.h"

namespace morvelt {

// The browser's page as a view of the window model: every change goes to the
// element of the same name (web/page.js), the fields' texts are read from
// it, and the prompts are the page's modal dialogs, which the module waits
// for while the browser goes on.
class PageView final : public FormView, public Prompter {
public:
    void ShowEnabled(std::string_view control, bool enabled) override;
    void ShowSelected(std::string_view option, bool selected) override;
    std::string Text(Field field) const override;
    std::string DecimalSeparator() const override;
    void Print() override;
    void Exit() override;

    std::string Punti() const override;
    void SetPunti(std::string_view text) override;
    void SetVoto10(std::string_view text) override;
    void SetVoto15(std::string_view text) override;

    std::optional<std::string> AskText(std::string_view prompt, std::string_view title) override;
    void ShowMessage(std::string_view text) override;
};

} // namespace morvelt
