#pragma once

#include <string_view>

namespace morvelt {

class Prompter;
class ResultView;
class WindowValues;

// What the calculate button does: clears the three output captions, runs the
// scoring block of the selected test type and rule, which prompts for the
// scores and writes the breakdown, and shows the grade in tenths and in
// fifteenths when one was computed. Every failure is one message to the user;
// nothing is thrown. decimalSeparator is the user's, for reading type-B
// replies and writing the grade in tenths.
void CalculateGrade(const WindowValues& window, Prompter& prompter, ResultView& view,
                    std::string_view decimalSeparator);

} // namespace morvelt
