#include "calc/number_text.h"
#include "calc/scoring.h"

#include <cmath>
#include <string>

namespace morvelt {

namespace {
constexpr std::string_view PromptTitle = "Punteggi";
}

bool IsUsable(double value) { return value > 0 && std::isfinite(value); }

bool AskTypeBScores(Calculation& c, double nB, std::string_view promptSuffix, double pointsPerMark)
{
    for (double question = 1; question <= nB; ++question) {
        std::string prompt = "Punti (da 0 a 5) per l'esercizio n."
                             + IntegerText(static_cast<long long>(question))
                             + std::string(promptSuffix);
        for (;;) {
            auto reply = c.prompter.AskText(prompt, PromptTitle);
            if (!reply)
                return false;
            // A reply that is no number fails both comparisons and is asked again.
            double mark = ReplyValue(*reply, c.decimalSeparator);
            if (mark >= 0 && mark <= 5) {
                c.view.SetPunti(c.view.Punti() + " +" + *reply);
                c.total += mark * pointsPerMark;
                break;
            }
        }
    }
    return true;
}

double AskCount(Calculation& c, std::string_view prompt, double nC)
{
    for (;;) {
        double count = ReadNumber(c.prompter.AskText(prompt, PromptTitle).value_or(""));
        if (count >= 0 && count <= nC)
            return count;
    }
}

} // namespace morvelt
