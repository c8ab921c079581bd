#pragma once

#include "calc/prompter.h"

class QMessageBox;
class QWidget;

namespace morvelt {

// The calculation's prompts and messages as modal Qt dialogs over a window.
class DialogPrompter final : public Prompter {
public:
    explicit DialogPrompter(QWidget* parent);

    std::optional<std::string> AskText(std::string_view prompt, std::string_view title) override;
    void ShowMessage(std::string_view text) override;
    void ReviseMessage(std::string_view text) override;

private:
    QWidget* m_parent;
    QMessageBox* m_openMessage = nullptr;
};

} // namespace morvelt
