#include "calc/number_text.h"
#include "calc/scoring.h"

#include <optional>

namespace morvelt {

namespace {

// The number of questions, rounded down; nothing when txtc is empty, after
// saying so.
std::optional<double> ReadQuestionCount(Calculation& c)
{
    std::string text = c.window.Text(Field::txtc);
    if (text.empty()) {
        c.prompter.ShowMessage("Inserire il numero di quesiti!");
        return std::nullopt;
    }
    return ReadCount(text);
}

} // namespace

void ScoreTypeCPenalize(Calculation& c)
{
    auto questions = ReadQuestionCount(c);
    if (!questions)
        return;
    double nC = *questions;
    double items = ReadCount(c.window.Text(Field::txtitem));
    if (!IsUsable(nC) || !IsUsable(items) || !IsUsable(nC * items))
        return;

    double correct = AskCount(c, "Numero di risposte giuste", nC);
    double blank = AskCount(c, "Numero di risposte non date", nC);
    double wrong = AskCount(c, "Numero di risposte sbagliate", nC);
    if ((correct + wrong) + blank != nC) {
        c.prompter.ShowMessage(
            "giuste + non date + sbagliate deve essere uguale al numero di quesiti");
        return;
    }
    c.total = correct * items + blank;
    double maximum = nC * items;
    c.view.SetPunti("Giuste: " + NumberText(correct) + "; Non date:" + NumberText(blank)
                    + "; Sbagliate: " + NumberText(wrong) + ". Totale: " + NumberText(c.total)
                    + " punti su " + NumberText(maximum));
    c.grade10 = (c.total / (nC * items)) * 9 + 1;
    c.gradeReady = true;
}

void ScoreTypeCSameAsBlank(Calculation& c)
{
    auto questions = ReadQuestionCount(c);
    if (!questions)
        return;
    double nC = *questions;
    if (!IsUsable(nC))
        return;

    double correct = AskCount(c, "Numero di risposte giuste", nC);
    c.view.SetPunti("Giuste: " + NumberText(correct)
                    + "; Non date o sbagliate:" + NumberText(nC - correct) + ".");
    c.grade10 = (correct / nC) * 9 + 1;
    c.gradeReady = true;
}

} // namespace morvelt
