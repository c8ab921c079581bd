// ReplyValue on any text, under a decimal comma and under a decimal period:
// a number exactly when the text, blanks and tabs around it aside, is one
// numeral written with that separator, and then the same number as the
// numeral written with the other separator; exact on every numeral whose
// value a double can be given exactly; in agreement with ReadNumber, which
// reads the same numerals with a period.

#include "calc/number_text.h"
#include "tests/fuzz/fuzz_check.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using morvelt::ReadNumber;
using morvelt::ReplyValue;
using namespace morvelt::fuzz;

namespace {

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

void CheckUnder(const std::string& text, std::string_view separator)
{
    const double value = ReplyValue(text, separator);
    const std::string shown = Quoted(text) + " under " + Quoted(separator) + " gives "
                              + Repr(value);
    const auto numeral = WholeNumeral(Trimmed(text), separator);

    Check(std::isnan(value) == !numeral.has_value(),
          "a reply is a number exactly when it is one numeral", shown);
    if (!numeral)
        return;
    if (auto nearest = NearestDouble(*numeral))
        Check(value == *nearest, "a numeral reads as the double nearest to it",
              shown + ", nearest " + Repr(*nearest));

    // The same numeral with the other separator: the separator is the only
    // difference between the two locales.
    std::string other = text;
    std::string_view otherSeparator = separator == "," ? "." : ",";
    if (size_t at = other.find(separator); at != std::string::npos)
        other.replace(at, separator.size(), otherSeparator);
    const double otherValue = ReplyValue(other, otherSeparator);
    Check(otherValue == value, "the separator is the only difference between locales",
          shown + ", " + Quoted(other) + " under " + Quoted(otherSeparator) + " gives "
              + Repr(otherValue));

    if (separator == ".") {
        Check(ReadNumber(text) == value, "ReadNumber agrees on a numeral with a period",
              shown + ", ReadNumber gives " + Repr(ReadNumber(text)));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckUnder(text, ",");
    CheckUnder(text, ".");
    return 0;
}
