// ReadCount on any text: a whole number (or an infinity, which every caller
// rejects), never not-a-number, and the largest whole number not above
// ReadNumber of the same text; exact on every whole numeral whose value a
// double can be given exactly.

#include "calc/number_text.h"
#include "tests/fuzz/fuzz_check.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using morvelt::ReadCount;
using morvelt::ReadNumber;
using namespace morvelt::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double count = ReadCount(text);
    const double number = ReadNumber(text);
    const std::string shown = Quoted(text) + " counts as " + Repr(count) + ", reads as "
                              + Repr(number);

    Check(!std::isnan(count), "ReadCount never gives not-a-number", shown);
    Check(std::isinf(count) == std::isinf(number), "only an infinite number counts as infinite",
          shown);
    if (std::isfinite(count)) {
        Check(count == std::trunc(count), "a count is a whole number", shown);
        // From 2^52 up every double is a whole number; below, count + 1 is exact.
        const bool whole = std::fabs(number) >= 0x1p52;
        Check(count <= number && (whole ? count == number : number < count + 1),
              "rounded towards negative infinity", shown);
    } else {
        Check(count == number, "an infinity keeps its sign", shown);
    }

    std::string compact;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            compact += c;
    }
    if (auto numeral = WholeNumeral(compact, ".")) {
        if (auto nearest = NearestDouble(*numeral)) {
            Check(count == std::floor(*nearest), "a whole numeral counts as its integer part",
                  shown + ", nearest double " + Repr(*nearest));
        }
    }
    return 0;
}
