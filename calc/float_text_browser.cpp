#include "calc/float_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

// The browser's C++ library has no floating-point std::from_chars or
// std::to_chars; its C library converts exactly, and its only locale is "C",
// so its decimal point is always the period.

namespace morvelt {

std::optional<double> DecimalValue(std::string_view numeral)
{
    const std::string text(numeral);
    const double value = std::strtod(text.c_str(), nullptr);
    // Out of range is what std::from_chars calls it: infinite, or zero from
    // a numeral with a digit other than 0 before its exponent.
    const std::string_view mantissa = numeral.substr(0, numeral.find_first_of("eE"));
    if (std::isinf(value)
        || (value == 0 && mantissa.find_first_of("123456789") != std::string_view::npos))
        return std::nullopt;
    return value;
}

std::string ScientificText(double value, int decimals)
{
    char buffer[32];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*e", decimals, value);
    return std::string(buffer, static_cast<size_t>(length));
}

std::string FixedText(double value, int decimals)
{
    char buffer[400];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return std::string(buffer, static_cast<size_t>(length));
}

} // namespace morvelt
