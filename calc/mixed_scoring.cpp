#include "calc/number_text.h"
#include "calc/scoring.h"

#include <optional>

namespace morvelt {

namespace {

constexpr std::string_view TypeBSuffix = " tipologia B";

struct MixedShape {
    double nB;
    double nC;
    double weight;
};

// What both rules read of the test's shape. They refuse to prompt until
// txtb, txtc and txtpeso hold something: nothing when one is empty, after
// saying so.
std::optional<MixedShape> ReadMixedShape(Calculation& c)
{
    for (Field field : {Field::txtb, Field::txtc, Field::txtpeso}) {
        if (c.window.Text(field).empty()) {
            c.prompter.ShowMessage("Inserire tutti i dati richiesti!");
            return std::nullopt;
        }
    }
    return MixedShape{ReadCount(c.window.Text(Field::txtb)), ReadCount(c.window.Text(Field::txtc)),
                      ReadNumber(c.window.Text(Field::txtpeso))};
}

void ShowShapeInvalid(Calculation& c)
{
    c.prompter.ShowMessage("Controlla tutti i dati richiesti");
}

std::string TotalsText(double total, double maximum)
{
    return " per tipologia C. Totale: " + NumberText(total) + " punti su " + NumberText(maximum);
}

} // namespace

// A point is a type-C point: a type-B mark of r earns r × weight.
void ScoreMixedPenalize(Calculation& c)
{
    auto shape = ReadMixedShape(c);
    if (!shape)
        return;
    auto [nB, nC, weight] = *shape;
    double items = ReadCount(c.window.Text(Field::txtitem));
    double maximum = nC * items + (5 * nB) * weight;
    if (!IsUsable(nB) || !IsUsable(nC) || !IsUsable(weight) || !IsUsable(items)
        || !IsUsable(maximum)) {
        ShowShapeInvalid(c);
        return;
    }

    if (!AskTypeBScores(c, nB, TypeBSuffix, weight))
        return;
    double correct = AskCount(c, "Numero di risposte giuste tipologia C", nC);
    double blank = AskCount(c, "Numero di risposte non date tipologia C", nC);
    double wrong = AskCount(c, "Numero di risposte sbagliate tipologia C", nC);
    if ((correct + wrong) + blank != nC) {
        c.prompter.ShowMessage("per la tipologia C, giuste + non date + sbagliate deve essere "
                               "uguale al numero di quesiti");
        return;
    }
    c.total = (c.total + correct * items) + blank;
    c.view.SetPunti(c.view.Punti() + " per tipologia B; giuste " + NumberText(correct)
                    + ", non date " + NumberText(blank) + ", sbagliate " + NumberText(wrong)
                    + TotalsText(c.total, maximum));
    c.grade10 = 1 + 9 * (c.total / maximum);
    c.gradeReady = true;
}

// A point is a type-B point: a correct type-C answer earns 5 ÷ weight.
void ScoreMixedSameAsBlank(Calculation& c)
{
    auto shape = ReadMixedShape(c);
    if (!shape)
        return;
    auto [nB, nC, weight] = *shape;
    double maximum = (nC * 5) / weight + 5 * nB;
    if (!IsUsable(nB) || !IsUsable(nC) || !IsUsable(weight) || !IsUsable(maximum)) {
        ShowShapeInvalid(c);
        return;
    }

    if (!AskTypeBScores(c, nB, TypeBSuffix, 1))
        return;
    double correct = AskCount(c, "Numero di risposte giuste tipologia C", nC);
    c.total = c.total + (correct * 5) / weight;
    c.view.SetPunti(c.view.Punti() + " per tipologia B; giuste " + NumberText(correct)
                    + TotalsText(c.total, maximum));
    c.grade10 = 2 + 8 * (c.total / maximum);
    // Nothing scored is 1, not the 2 that the formula starts from.
    if (c.total == 0)
        c.grade10 = 1;
    c.gradeReady = true;
}

} // namespace morvelt
