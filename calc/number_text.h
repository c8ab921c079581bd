#pragma once

#include <string>
#include <string_view>

namespace morvelt {

// The six conversions between numbers and texts. Which one a step uses is
// part of the behaviour: "2,5" is 2 for ReadNumber and 2.5 for ReplyValue
// under a decimal comma. None of them depends on the C library's locale; the
// user's decimal separator is handed in where it matters.

// The number at the start of the text, after removing every blank, tab and
// line feed: sign, digits, one optional period and digits, optional exponent;
// or an "&H" hexadecimal or "&O" octal integer. Anything else reads as 0.
// A value too large for a double reads as an infinity, which every caller
// rejects.
double ReadNumber(std::string_view text);

// ReadNumber rounded towards negative infinity.
double ReadCount(std::string_view text);

// The whole text, blanks around it allowed, read as a number written with the
// given decimal separator and no thousands separators; not-a-number when the
// text is anything else.
double ReplyValue(std::string_view text, std::string_view decimalSeparator);

// A blank or a minus sign, then the value in plain decimal with a period, no
// trailing zeros and at most 15 significant digits: " 12", "-3", " 7.5",
// " 0.5". Magnitudes from 1e15 up or below 1e-15 take an exponent
// (" 1E+15"), as a count typed that large shows in the breakdown.
std::string NumberText(double value);

// Plain decimal digits: "15".
std::string IntegerText(long long value);

// Two decimals with the given separator: "8,20". Below 10^12 the value is
// taken as its 15-significant-digit decimal, so 1 + 9 * 17 / 40 counts as the
// 4.825 it stands for; half-way values are rounded away from zero: "4,83".
std::string TenthsText(double value, std::string_view decimalSeparator);

} // namespace morvelt
