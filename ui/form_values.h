#pragma once

#include "calc/window_values.h"

namespace Ui {
class Form1;
}

namespace morvelt {

// The window's options and shape fields as the calculation reads them.
class FormValues final : public WindowValues {
public:
    explicit FormValues(const Ui::Form1& form);

    bool IsSelected(TestKind kind) const override;
    bool IsSelected(WrongAnswerRule rule) const override;
    std::string Text(Field field) const override;

private:
    const Ui::Form1& m_form;
};

} // namespace morvelt
