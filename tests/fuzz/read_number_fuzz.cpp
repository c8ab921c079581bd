// ReadNumber on any text: never not-a-number, blind to blanks, tabs and line
// feeds wherever they stand, ended by a decimal comma whatever follows it,
// symmetric in its sign, and exact on every whole numeral whose value a
// double can be given exactly.

#include "calc/number_text.h"
#include "tests/fuzz/fuzz_check.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using morvelt::ReadNumber;
using namespace morvelt::fuzz;

namespace {

std::string WithoutBlanks(std::string_view text)
{
    std::string kept;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            kept += c;
    }
    return kept;
}

bool Same(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double value = ReadNumber(text);
    const std::string shown = Quoted(text) + " reads as " + Repr(value);

    Check(!std::isnan(value), "ReadNumber never gives not-a-number", shown);

    const std::string compact = WithoutBlanks(text);
    Check(Same(ReadNumber(compact), value), "blanks, tabs and line feeds are ignored",
          shown + ", without them " + Repr(ReadNumber(compact)));

    // The period is the only decimal separator: "2,5" is 2, whatever follows.
    const std::string comma = text + "," + text;
    Check(Same(ReadNumber(comma), value), "a comma ends the number",
          Quoted(comma) + " reads as " + Repr(ReadNumber(comma)) + ", " + shown);

    if (!compact.empty() && (IsDigit(compact[0]) || compact[0] == '.')) {
        const double negative = ReadNumber("-" + text);
        const double positive = ReadNumber("+" + text);
        Check(Same(negative, -value), "a minus sign negates the number",
              "\"-\" + " + shown + " reads as " + Repr(negative));
        Check(Same(positive, value), "a plus sign changes nothing",
              "\"+\" + " + shown + " reads as " + Repr(positive));
    }

    if (auto numeral = WholeNumeral(compact, ".")) {
        if (auto nearest = NearestDouble(*numeral)) {
            Check(value == *nearest, "a whole numeral reads as the double nearest to it",
                  shown + ", nearest " + Repr(*nearest));
        }
    }
    return 0;
}
