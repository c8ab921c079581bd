// IntegerText on any integer: plain decimal digits, a minus sign only before
// a negative one, no leading zeros, and the same integer when read back.

#include "calc/number_text.h"
#include "tests/fuzz/fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <system_error>

using morvelt::IntegerText;
using namespace morvelt::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    while (provider.remaining_bytes() > 0) {
        const long long value = provider.ConsumeIntegral<long long>();
        const std::string text = IntegerText(value);
        const std::string shown = "IntegerText(" + std::to_string(value) + ") = " + Quoted(text);

        const size_t first = value < 0 ? 1 : 0;
        bool digits = text.size() > first && (value >= 0 || text[0] == '-');
        for (size_t i = first; i < text.size(); ++i)
            digits = digits && IsDigit(text[i]);
        Check(digits, "plain digits, a minus sign only before a negative integer", shown);
        Check(text.size() == first + 1 || text[first] != '0', "no leading zeros", shown);

        long long back = 0;
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), back);
        Check(error == std::errc() && end == text.data() + text.size() && back == value,
              "reads back as the same integer", shown);
    }
    return 0;
}
