#pragma once

// What the fuzz targets share: stopping the run with a readable message when
// something that must hold does not, and an exact reading of the decimal
// numerals whose value a double holds exactly or by one correctly rounded
// operation, to judge the conversions by.

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace morvelt::fuzz {

// Any double from the next eight bytes, subnormals, infinities and
// not-a-number included; missing bytes are zeros.
inline double ConsumeAnyDouble(FuzzedDataProvider& provider)
{
    std::vector<std::uint8_t> bits = provider.ConsumeBytes<std::uint8_t>(sizeof(double));
    bits.resize(sizeof(double));
    double value;
    std::memcpy(&value, bits.data(), sizeof value);
    return value;
}

// The text between double quotes, with bytes outside printable ASCII written
// as \xHH, so that the message shows exactly what the calculation was given.
inline std::string Quoted(std::string_view text)
{
    static constexpr char hex[] = "0123456789abcdef";
    std::string quoted = "\"";
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7f || c == '"' || c == '\\') {
            quoted += "\\x";
            quoted += hex[byte >> 4];
            quoted += hex[byte & 0xf];
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

// The shortest text that reads back as the same double: for messages only.
inline std::string Repr(double value)
{
    char buffer[64];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

// Enough fixed decimals to show a value's binary fraction exactly when it is
// short, as half-way values are: for messages only.
inline std::string FixedRepr(double value)
{
    char buffer[400];
    auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 20).ptr;
    return std::string(buffer, end);
}

// abort() rather than an exception: libFuzzer keeps the input that broke the
// rule as a crash artifact and prints it.
[[noreturn]] inline void Fail(std::string_view rule, std::string_view detail)
{
    std::string message = "\nmorvelt fuzz: broken: " + std::string(rule) + "\n  "
                          + std::string(detail) + "\n";
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fflush(stderr);
    std::abort();
}

// The detail is a text, or a function that makes it, for checks made so
// often that building the text every time would slow the run down.
template <typename Detail>
void Check(bool holds, std::string_view rule, const Detail& detail)
{
    if (holds)
        return;
    if constexpr (std::is_invocable_v<const Detail&>)
        Fail(rule, detail());
    else
        Fail(rule, detail);
}

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "inf" or "nan" in any case: what a caption must never show.
inline bool ShowsNonNumber(std::string_view text)
{
    std::string lower;
    for (char c : text)
        lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

// A whole text read as a decimal numeral: optional sign, digits with at most
// one separator (at least one digit in all), optional exponent with digits.
struct Numeral {
    bool negative = false;
    std::string digits; // every mantissa digit, integer and fraction part
    long long fractionDigits = 0;
    long long exponent = 0; // saturated far beyond any double's range
};

inline std::optional<Numeral> WholeNumeral(std::string_view text, std::string_view separator)
{
    Numeral numeral;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        numeral.negative = text[i] == '-';
        ++i;
    }
    while (i < text.size() && IsDigit(text[i]))
        numeral.digits += text[i++];
    if (text.substr(i).starts_with(separator)) {
        i += separator.size();
        while (i < text.size() && IsDigit(text[i])) {
            numeral.digits += text[i++];
            ++numeral.fractionDigits;
        }
    }
    if (numeral.digits.empty())
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        if (i == text.size() || !IsDigit(text[i]))
            return std::nullopt;
        while (i < text.size() && IsDigit(text[i])) {
            if (numeral.exponent < 1'000'000)
                numeral.exponent = numeral.exponent * 10 + (text[i] - '0');
            ++i;
        }
        if (negativeExponent)
            numeral.exponent = -numeral.exponent;
    }
    if (i != text.size())
        return std::nullopt;
    return numeral;
}

// The double nearest to the numeral, when it can be had without a decimal
// library: at most 15 significant digits, so that they make an exact
// integer n, times or divided by a power of ten up to 1e22, which is exact
// too; one IEEE operation on two exact operands is correctly rounded.
inline std::optional<double> NearestDouble(const Numeral& numeral)
{
    static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    size_t first = numeral.digits.find_first_not_of('0');
    double sign = numeral.negative ? -1.0 : 1.0;
    if (first == std::string::npos)
        return sign * 0.0;
    std::string_view significant = std::string_view(numeral.digits).substr(first);
    long long scale = numeral.exponent - numeral.fractionDigits;
    // Trailing zeros move into the power of ten.
    while (significant.size() > 1 && significant.back() == '0') {
        significant.remove_suffix(1);
        ++scale;
    }
    if (significant.size() > 15 || scale < -22 || scale > 22)
        return std::nullopt;
    std::int64_t n = 0;
    for (char c : significant)
        n = n * 10 + (c - '0');
    double exact = static_cast<double>(n);
    double value = scale >= 0 ? exact * powers[scale] : exact / powers[-scale];
    return sign * value;
}

// Whether hundredths is what a grade shows for value: below 10^12, the
// value's 15-significant-digit decimal D * 10^(e-14) rounded to the nearest
// hundredth, half-way away from zero. In integers: 100 times the decimal is
// D / 10^p with p = 12 - e.
inline bool IsDecimalHundredths(double value, std::int64_t hundredths)
{
    if (hundredths != 0 && (hundredths < 0) != (value < 0))
        return false;
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                   std::chars_format::scientific, 14)
                         .ptr;
    const std::string_view scientific(buffer, end - buffer);
    const size_t e = scientific.find('e');
    __int128 digits = scientific[0] - '0';
    for (char c : scientific.substr(2, e - 2))
        digits = digits * 10 + (c - '0');
    std::string_view exponentText = scientific.substr(e + 1);
    if (exponentText.front() == '+')
        exponentText.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

    const int p = 12 - exponent;
    if (p > 20)
        return hundredths == 0; // below a hundred-millionth
    __int128 unit = 1;
    for (int i = 0; i < p; ++i)
        unit *= 10;
    const __int128 magnitude = hundredths < 0 ? -static_cast<__int128>(hundredths) : hundredths;
    const __int128 twiceOff = 2 * (magnitude * unit - digits);
    return twiceOff <= unit && twiceOff > -unit;
}

} // namespace morvelt::fuzz
