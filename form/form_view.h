#pragma once

#include "calc/result_view.h"
#include "calc/test_shape.h"

#include <string>
#include <string_view>

namespace morvelt {

// The window as its model sees it: the model tells it each control whose
// state changed, in the order the rules change them, and the three results
// (ResultView); it asks for the fields' texts when the calculation reads
// them, and leaves printing and ending to it.
class FormView : public ResultView {
public:
    // The control, named as in the window, now accepts input or no longer.
    virtual void ShowEnabled(std::string_view control, bool enabled) = 0;
    // The option, named as in the window, is now selected or no longer.
    virtual void ShowSelected(std::string_view option, bool selected) = 0;
    // UTF-8 text of the field as it stands.
    virtual std::string Text(Field field) const = 0;
    // The decimal separator of the user's locale, UTF-8.
    virtual std::string DecimalSeparator() const = 0;
    // Hands the window's page, as it shows now, to the printer.
    virtual void Print() = 0;
    // Closes the window and ends the program.
    virtual void Exit() = 0;
};

} // namespace morvelt
