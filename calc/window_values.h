#pragma once

#include "calc/test_shape.h"

#include <string>

namespace morvelt {

// What the calculation may read of the window: whether each option is
// selected and the texts of the four shape fields, read when a block needs
// them. Options of one group exclude one another in the window, but the
// calculation does not rely on it: it asks about each option on its own.
class WindowValues {
public:
    virtual ~WindowValues() = default;

    virtual bool IsSelected(TestKind kind) const = 0;
    virtual bool IsSelected(WrongAnswerRule rule) const = 0;
    // UTF-8 text of the field as it stands.
    virtual std::string Text(Field field) const = 0;
};

} // namespace morvelt
