#pragma once

#include "calc/result_view.h"

namespace Ui {
class Form1;
}

namespace morvelt {

// The breakdown and the two grades, written into the window's result labels.
class LabelResultView final : public ResultView {
public:
    explicit LabelResultView(Ui::Form1& form);

    std::string Punti() const override;
    void SetPunti(std::string_view text) override;
    void SetVoto10(std::string_view text) override;
    void SetVoto15(std::string_view text) override;

private:
    Ui::Form1& m_form;
};

} // namespace morvelt
