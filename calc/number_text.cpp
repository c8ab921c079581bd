#include "calc/number_text.h"

#include "calc/float_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>

namespace morvelt {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t DigitRun(std::string_view s, size_t from)
{
    size_t i = from;
    while (i < s.size() && IsDigit(s[i]))
        ++i;
    return i - from;
}

// A numeral out of a double's range has no value of its own, so tell an
// overflow from an underflow by the decimal order of the first significant
// digit.
double OutOfRange(std::string_view mantissaDigits, size_t integerDigits, long long exponent)
{
    long long order = 0;
    size_t first = mantissaDigits.find_first_not_of("0.");
    if (first == std::string_view::npos)
        return 0.0;
    if (first < integerDigits)
        order = static_cast<long long>(integerDigits - first) - 1;
    else
        order = -static_cast<long long>(first - integerDigits); // skips the period
    return order + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

struct Numeral {
    size_t length; // characters of the text that the numeral takes
    double value;
};

// The longest leading decimal numeral of s: optional sign, digits, optionally
// the separator and more digits (at least one digit in all), optionally an
// exponent. Built into a plain "digits.digitsEexp" for DecimalValue, which
// never looks at the C library's locale.
std::optional<Numeral> ScanDecimal(std::string_view s, std::string_view separator)
{
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    std::string plain;
    size_t integerDigits = DigitRun(s, i);
    plain.append(s.substr(i, integerDigits));
    i += integerDigits;
    size_t fractionDigits = 0;
    if (s.substr(i).starts_with(separator)) {
        fractionDigits = DigitRun(s, i + separator.size());
        if (integerDigits + fractionDigits > 0) {
            plain += '.';
            plain.append(s.substr(i + separator.size(), fractionDigits));
            i += separator.size() + fractionDigits;
        }
    }
    if (integerDigits + fractionDigits == 0)
        return std::nullopt;
    size_t mantissaLength = plain.size();

    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        bool negativeExponent = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            negativeExponent = s[j] == '-';
            ++j;
        }
        size_t exponentDigits = DigitRun(s, j);
        if (exponentDigits > 0) {
            for (char c : s.substr(j, exponentDigits))
                exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
            if (negativeExponent)
                exponent = -exponent;
            plain += 'e';
            plain += negativeExponent ? "-" : "";
            plain.append(s.substr(j, exponentDigits));
            i = j + exponentDigits;
        }
    }

    const std::optional<double> decimal = DecimalValue(plain);
    const double value = decimal ? *decimal
                                 : OutOfRange(std::string_view(plain).substr(0, mantissaLength),
                                              integerDigits, exponent);
    return Numeral{i, negative ? -value : value};
}

// "&H" and "&O" integers: the longest run of digits of the radix, 0 if none.
double ReadRadix(std::string_view s, int radix)
{
    double value = 0.0;
    for (char c : s) {
        int digit = IsDigit(c)               ? c - '0'
                    : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                    : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                             : radix;
        if (digit >= radix)
            break;
        value = value * radix + digit;
    }
    return value;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

struct Significant {
    std::string digits; // 15 of them, trailing zeros included
    int exponent;       // of the first digit's place
};

// The magnitude's 15 significant digits, correctly rounded
// ("d.ddddddddddddddde+XX"), and the decimal exponent of the first.
Significant SignificantDigits(double magnitude)
{
    const std::string text = ScientificText(magnitude, 14);
    const std::string_view scientific(text);
    const size_t e = scientific.find('e');
    Significant result{std::string(1, scientific[0]), 0};
    result.digits.append(scientific.substr(2, e - 2));
    std::string_view exponentText = scientific.substr(e + 1);
    if (exponentText.front() == '+')
        exponentText.remove_prefix(1);
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(),
                    result.exponent);
    return result;
}

} // namespace

double ReadNumber(std::string_view text)
{
    std::string s;
    s.reserve(text.size());
    for (char c : text) {
        if (!IsBlank(c) && c != '\n')
            s += c;
    }
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            return ReadRadix(std::string_view(s).substr(2), 16);
        if (s[1] == 'O' || s[1] == 'o')
            return ReadRadix(std::string_view(s).substr(2), 8);
    }
    auto numeral = ScanDecimal(s, ".");
    return numeral ? numeral->value : 0.0;
}

double ReadCount(std::string_view text) { return std::floor(ReadNumber(text)); }

double ReplyValue(std::string_view text, std::string_view decimalSeparator)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    auto numeral = ScanDecimal(text, decimalSeparator);
    if (!numeral || numeral->length != text.size())
        return std::numeric_limits<double>::quiet_NaN();
    return numeral->value;
}

std::string NumberText(double value)
{
    std::string text = value < 0 ? "-" : " ";
    double magnitude = std::fabs(value);
    if (magnitude == 0.0)
        return text + "0";

    auto [digits, exponent] = SignificantDigits(magnitude);
    digits.erase(digits.find_last_not_of('0') + 1);

    if (exponent >= 15 || exponent < -15) {
        text += digits[0];
        if (digits.size() > 1)
            text += '.' + digits.substr(1);
        text += exponent < 0 ? "E-" : "E+";
        text += IntegerText(std::abs(exponent));
    } else if (exponent < 0) {
        text += "0." + std::string(-exponent - 1, '0') + digits;
    } else {
        size_t integerDigits = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= integerDigits) {
            text += digits + std::string(integerDigits - digits.size(), '0');
        } else {
            text += digits.substr(0, integerDigits) + '.' + digits.substr(integerDigits);
        }
    }
    return text;
}

std::string IntegerText(long long value)
{
    char buffer[24];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

namespace {

// Hundredths, with the given separator before the last two of them.
std::string HundredthsText(bool negative, long long hundredths, std::string_view decimalSeparator)
{
    std::string digits = IntegerText(hundredths);
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    std::string text = negative ? "-" : "";
    text += digits.substr(0, digits.size() - 2);
    text += decimalSeparator;
    text += digits.substr(digits.size() - 2);
    return text;
}

} // namespace

std::string TenthsText(double value, std::string_view decimalSeparator)
{
    // A grade is a quotient of small numbers: 1 + 9 * 17 / 40 is 4.825, which
    // the nearest double misses by a hair below. The teacher rounds 4.825 up,
    // so the value is first read as its 15-digit decimal, which drops binary
    // noise of a few units in the last place and nothing else, and that
    // decimal is rounded half away from zero. Below 10^12 the 15 digits reach
    // past the thousandths, so the digit that decides is always among them.
    if (std::fabs(value) < 1e12) {
        const auto [digits, exponent] = SignificantDigits(std::fabs(value));

        // The digits down to the hundredths, then the one that rounds them.
        const int kept = exponent + 3;
        long long hundredths = 0;
        if (kept >= 0) {
            for (int i = 0; i < kept; ++i)
                hundredths = hundredths * 10 + (digits[i] - '0');
            if (digits[kept] >= '5')
                ++hundredths;
        }
        return HundredthsText(std::signbit(value), hundredths, decimalSeparator);
    }

    // Beyond, the double itself is rounded. It lies exactly half-way between
    // two hundredths only when it is an odd number of eighths; those go away
    // from zero, in integers, where FixedText would send them to the even
    // hundredth.
    const double eighths = value * 8;
    if (std::fabs(eighths) < 0x1p53 && eighths == std::floor(eighths)) {
        const long long n = static_cast<long long>(eighths);
        if (n % 2 != 0)
            return HundredthsText(n < 0, (25 * std::llabs(n) + 1) / 2, decimalSeparator);
    }
    std::string text = FixedText(value, 2);
    text.replace(text.size() - 3, 1, decimalSeparator);
    return text;
}

} // namespace morvelt
