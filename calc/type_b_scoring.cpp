#include "calc/number_text.h"
#include "calc/scoring.h"

namespace morvelt {

void ScoreTypeB(Calculation& c)
{
    std::string text = c.window.Text(Field::txtb);
    if (text.empty()) {
        c.prompter.ShowMessage("Inserire il numero di quesiti!");
        return;
    }
    double nB = ReadCount(text);
    if (!IsUsable(nB) || !IsUsable(5 * nB))
        return;
    if (!AskTypeBScores(c, nB, "", 1))
        return;

    c.view.SetPunti(c.view.Punti() + " = " + NumberText(c.total) + " su " + NumberText(5 * nB));
    c.grade10 = 1 + 9 * (c.total / (nB * 5));
    c.gradeReady = true;
}

} // namespace morvelt
