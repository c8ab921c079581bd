// TenthsText on any finite double and on grades as the scorings compute
// them: at least one digit, the separator, exactly two digits; below 10^12
// the value's 15-significant-digit decimal rounded to the nearest hundredth,
// above it the value itself; half-way values away from zero.

#include "calc/number_text.h"
#include "tests/fuzz/fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

using morvelt::TenthsText;
using namespace morvelt::fuzz;

namespace {

// The double itself, to the nearest hundredth. Both products are exact in
// the 64-bit significand of a long double, and so is their difference near a
// hundredth.
void CheckAgainstBinary(double value, std::int64_t hundredths, const std::string& shown)
{
    const long double scaled = static_cast<long double>(value) * 100;
    const long double off = static_cast<long double>(hundredths) - scaled;
    Check(std::fabs(off) <= 0.5L, "rounded to the nearest hundredth", shown);
    if (std::fabs(off) == 0.5L)
        Check((off > 0) == (value > 0), "half-way values are rounded away from zero", shown);
}

void CheckTenths(double value, std::string_view separator)
{
    const std::string text = TenthsText(value, separator);
    if (!std::isfinite(value))
        return; // outside what the function is for; it must only not crash
    const std::string shown = "TenthsText(" + FixedRepr(value) + ", " + Quoted(separator)
                              + ") = " + Quoted(text);

    const bool negative = !text.empty() && text[0] == '-';
    const size_t first = negative ? 1 : 0;
    const size_t digitsBefore = text.size() - first - separator.size() - 2;
    bool shape = text.size() >= first + 1 + separator.size() + 2
                 && text.compare(text.size() - 2 - separator.size(), separator.size(), separator)
                        == 0;
    for (size_t i = 0; shape && i < text.size() - first; ++i) {
        if (i < digitsBefore || i >= digitsBefore + separator.size())
            shape = IsDigit(text[first + i]);
    }
    Check(shape, "digits, the separator and two decimals", shown);
    Check(!negative || value < 0 || (value == 0 && std::signbit(value)),
          "a minus sign only before a negative value", shown);
    if (std::fabs(value) >= 1e15)
        return; // the hundredths no longer fit the integer below

    std::int64_t hundredths = 0;
    for (size_t i = first; i < text.size(); ++i) {
        if (IsDigit(text[i]) && (i < first + digitsBefore || i >= text.size() - 2))
            hundredths = hundredths * 10 + (text[i] - '0');
    }
    if (negative)
        hundredths = -hundredths;
    if (std::fabs(value) < 1e12)
        Check(IsDecimalHundredths(value, hundredths),
              "its decimal rounded to the nearest hundredth, half-way away from zero", shown);
    else
        CheckAgainstBinary(value, hundredths, shown);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const double value = ConsumeAnyDouble(provider);
    const std::string_view separator = provider.PickValueInArray({",", "."});
    CheckTenths(value, separator);

    // Grades the way the scorings compute them, from a score and a maximum.
    const auto maximum = provider.ConsumeIntegralInRange<std::uint32_t>(1, 1'000'000);
    const auto score = provider.ConsumeIntegralInRange<std::uint32_t>(0, maximum);
    const double share = static_cast<double>(score) / maximum;
    CheckTenths(1 + 9 * share, separator);
    CheckTenths(share * 9 + 1, separator);
    CheckTenths(2 + 8 * share, separator);
    return 0;
}
