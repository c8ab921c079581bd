#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace morvelt {

// The floating-point conversions beneath the number texts: exact (correctly
// rounded), always with a period, and blind to the C library's locale. Each
// system's build picks where they come from: the C++ library's
// std::from_chars and std::to_chars where it has them for floating point
// (float_text_linux_windows.cpp), the C library where it does not and its
// only locale is "C" (float_text_browser.cpp).

// The value of a plain "digits.digitsEexp" numeral, or nothing when it is out
// of a double's range: beyond the largest, or a numeral that is not zero too
// small for the smallest.
std::optional<double> DecimalValue(std::string_view numeral);

// The value in scientific notation with that many digits after the period:
// "4.82500000000000e+00".
std::string ScientificText(double value, int decimals);

// The value in fixed notation with that many digits after the period.
std::string FixedText(double value, int decimals);

} // namespace morvelt
