#pragma once

// The scoring blocks that CalculateGrade runs, one per test type and rule, and
// the two prompt loops they share. Each block reads the shape fields it needs,
// validates them, prompts, writes the breakdown and, on success, sets grade10
// and gradeReady; a failure shows at most one message and leaves gradeReady
// false. Not part of the library's interface.

#include "calc/prompter.h"
#include "calc/result_view.h"
#include "calc/window_values.h"

#include <string_view>

namespace morvelt {

// The working values of one click and what the calculation talks to.
struct Calculation {
    const WindowValues& window;
    Prompter& prompter;
    ResultView& view;
    std::string_view decimalSeparator;
    double total = 0;
    double grade10 = 0;
    bool gradeReady = false;
};

// A shape value the blocks accept: above zero, and finite so that no
// infinity reaches a caption.
bool IsUsable(double value);

// Asks the score of type-B questions 1 to nB, each until the reply is a number
// from 0 to 5, appending " +" and the reply as typed to lblpunti and adding
// reply × pointsPerMark to the total. Returns false when the teacher cancels.
bool AskTypeBScores(Calculation& c, double nB, std::string_view promptSuffix, double pointsPerMark);

// Asks a type-C count until ReadNumber of the reply lies in 0 to nC; a cancel
// reads as the empty reply, that is 0.
double AskCount(Calculation& c, std::string_view prompt, double nC);

void ScoreTypeB(Calculation& c);
void ScoreTypeCPenalize(Calculation& c);
void ScoreTypeCSameAsBlank(Calculation& c);
void ScoreMixedPenalize(Calculation& c);
void ScoreMixedSameAsBlank(Calculation& c);

} // namespace morvelt
