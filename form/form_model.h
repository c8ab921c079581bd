#pragma once

#include "calc/window_values.h"

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace morvelt {

class FormView;
class Prompter;

// What the window does, with no toolkit: which of its controls accept input
// and which options are selected, and the handlers of its options and
// buttons, each running its steps in order. The texts stay in the view,
// which the calculation reads through the model when a button asks for it;
// prompts and messages go through the Prompter, modal.
class FormModel final : private WindowValues {
public:
    // The window as stored: every control enabled but txtb, txtc and
    // txtpeso; no test type selected, and SameAsBlank (Option6) selected.
    FormModel(FormView& view, Prompter& prompter);

    // Every control of the window, by name, in the order of its layout.
    static std::span<const std::string_view> Controls();
    bool IsEnabled(std::string_view control) const;
    // False for a control that is no option.
    bool IsSelected(std::string_view option) const;

    // The option is selected, the others of its group cleared, and its
    // selection rules run.
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option5_Click();
    void Option6_Click();

    void Command1_Click(); // calculates the grade
    void Command2_Click(); // Esci
    void Command3_Click(); // STAMPA
    void Command4_Click(); // the note beside txtc
    void Command5_Click(); // the note beside txtb

private:
    struct Control {
        std::string_view name;
        bool enabled = true;
        bool selected = false;
        // The options of one group exclude one another; 0 for no group.
        int group = 0;
    };
    // A control, and whether it accepts input after the step.
    struct EnablingStep {
        std::string_view control;
        bool enabled;
    };

    bool IsSelected(TestKind kind) const override;
    bool IsSelected(WrongAnswerRule rule) const override;
    std::string Text(Field field) const override;

    Control& Find(std::string_view name);
    const Control& Find(std::string_view name) const;
    void Select(std::string_view option);
    void Enable(std::initializer_list<EnablingStep> steps);
    void ApplyItemsRule();

    FormView& m_view;
    Prompter& m_prompter;
    std::vector<Control> m_controls;
};

} // namespace morvelt
