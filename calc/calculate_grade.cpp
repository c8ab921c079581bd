#include "calc/calculate_grade.h"

#include "calc/grade_conversion.h"
#include "calc/scoring.h"

namespace morvelt {

void CalculateGrade(const WindowValues& window, Prompter& prompter, ResultView& view,
                    std::string_view decimalSeparator)
{
    view.SetPunti("");
    view.SetVoto10("");
    view.SetVoto15("");
    Calculation c{window, prompter, view, decimalSeparator};

    // Each test is made on its own; the window lets at most one block run.
    if (window.IsSelected(TestKind::B))
        ScoreTypeB(c);
    if (window.IsSelected(TestKind::C)) {
        if (window.IsSelected(WrongAnswerRule::Penalize))
            ScoreTypeCPenalize(c);
        if (window.IsSelected(WrongAnswerRule::SameAsBlank))
            ScoreTypeCSameAsBlank(c);
    }
    if (window.IsSelected(TestKind::Mixed) && window.IsSelected(WrongAnswerRule::Penalize))
        ScoreMixedPenalize(c);
    if (window.IsSelected(TestKind::Mixed) && window.IsSelected(WrongAnswerRule::SameAsBlank))
        ScoreMixedSameAsBlank(c);

    if (c.gradeReady)
        ConvertAndShow(c.grade10, view, decimalSeparator);
}

} // namespace morvelt
