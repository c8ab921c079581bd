// NumberText on any finite double: a blank or a minus sign, then plain
// decimal with no trailing zeros and at most 15 significant digits, or an
// exponent exactly when the magnitude is from 1e15 up or below 1e-15; read
// back by ReadNumber it is the value to 15 digits. A short decimal (an
// integer of up to 15 digits over a power of ten) is written as exactly its
// digits and reads back as the same double.

#include "calc/number_text.h"
#include "tests/fuzz/fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

using morvelt::NumberText;
using morvelt::ReadNumber;
using namespace morvelt::fuzz;

namespace {

size_t SignificantDigits(std::string_view mantissa)
{
    std::string digits;
    for (char c : mantissa) {
        if (IsDigit(c))
            digits += c;
    }
    size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? 0 : digits.size() - first;
}

void CheckFormat(double value, const std::string& text)
{
    const std::string shown = "NumberText(" + Repr(value) + ") = " + Quoted(text);
    Check(!ShowsNonNumber(text), "no infinity or not-a-number", shown);
    Check(text.size() >= 2 && text[0] == (value < 0 ? '-' : ' '),
          "a blank before a number that is not negative, else a minus sign", shown);

    std::string_view body = std::string_view(text).substr(1);
    size_t e = body.find('E');
    std::string_view mantissa = body.substr(0, e);
    size_t point = mantissa.find('.');
    bool digitsOnly = !mantissa.empty();
    for (size_t i = 0; i < mantissa.size(); ++i)
        digitsOnly = digitsOnly && (IsDigit(mantissa[i]) || i == point);
    Check(digitsOnly
              && mantissa.find('.', point == std::string_view::npos ? 0 : point + 1)
                     == std::string_view::npos,
          "digits with at most one period", shown);
    Check(point == std::string_view::npos
              || (point > 0 && point + 1 < mantissa.size() && mantissa.back() != '0'),
          "no trailing zeros and no bare period", shown);
    Check(mantissa.size() == 1 || mantissa[0] != '0' || point == 1, "no leading zeros", shown);
    Check(SignificantDigits(mantissa) <= 15, "at most 15 significant digits", shown);

    if (!std::isfinite(value) || std::fabs(value) >= 1e308)
        return; // 15 digits of the largest doubles round beyond them
    const double back = ReadNumber(text);
    const double magnitude = std::fabs(back);
    Check(std::fabs(back - value) <= 5.2e-15 * std::fabs(value) + DBL_TRUE_MIN,
          "reads back as the value to 15 significant digits",
          shown + " reads back as " + Repr(back));
    if (e == std::string_view::npos) {
        Check(magnitude < 1e15 && (magnitude == 0 || magnitude >= 1e-15),
              "plain decimal only from 1e-15 to below 1e15", shown);
    } else {
        Check(magnitude >= 1e15 || magnitude < 1e-15,
              "an exponent only from 1e15 up or below 1e-15", shown);
        std::string_view exponent = body.substr(e + 1);
        Check(mantissa[0] != '0' && exponent.size() >= 2
                  && (exponent[0] == '+' || exponent[0] == '-') && exponent[1] != '0'
                  && SignificantDigits(exponent) == exponent.size() - 1,
              "the exponent is a sign and digits after one leading digit", shown);
    }
}

// The text that NumberText must give for digits × 10^-scale: the digits
// without trailing zeros, placed by the position of the leading one.
std::string ShortDecimalText(bool negative, std::string digits, int scale)
{
    if (digits == "0")
        return " 0";
    int lead = static_cast<int>(digits.size()) - 1 - scale; // power of ten of the first digit
    digits.erase(digits.find_last_not_of('0') + 1);
    std::string text = negative ? "-" : " ";
    if (lead < -15) {
        text += digits.substr(0, 1);
        if (digits.size() > 1)
            text += "." + digits.substr(1);
        return text + "E-" + std::to_string(-lead);
    }
    if (lead < 0)
        return text + "0." + std::string(-lead - 1, '0') + digits;
    size_t integerDigits = static_cast<size_t>(lead) + 1;
    if (digits.size() <= integerDigits)
        return text + digits + std::string(integerDigits - digits.size(), '0');
    return text + digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);

    // Any double, subnormals, infinities and not-a-number included; the
    // last two only must not crash.
    const double value = ConsumeAnyDouble(provider);
    const std::string text = NumberText(value);
    if (std::isfinite(value))
        CheckFormat(value, text);

    static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const auto numerator = provider.ConsumeIntegralInRange<std::int64_t>(-999'999'999'999'999,
                                                                         999'999'999'999'999);
    const int scale = provider.ConsumeIntegralInRange<int>(0, 22);
    // Both operands are exact, so the quotient is the double nearest to the decimal.
    const double decimal = static_cast<double>(numerator) / powers[scale];
    const std::string decimalText = NumberText(decimal);
    const std::string expected = ShortDecimalText(
        numerator < 0, std::to_string(numerator < 0 ? -numerator : numerator), scale);
    const std::string shown = std::to_string(numerator) + " / 1e" + std::to_string(scale)
                              + ": NumberText gives " + Quoted(decimalText);
    CheckFormat(decimal, decimalText);
    Check(decimalText == expected, "a short decimal is written as its digits",
          shown + ", expected " + Quoted(expected));
    Check(ReadNumber(decimalText) == decimal, "a short decimal reads back as the same double",
          shown + " reads back as " + Repr(ReadNumber(decimalText)) + ", not " + Repr(decimal));
    return 0;
}
