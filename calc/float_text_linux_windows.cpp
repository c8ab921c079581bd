#include "calc/float_text.h"

#include <charconv>
#include <system_error>

namespace morvelt {

std::optional<double> DecimalValue(std::string_view numeral)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(numeral.data(), numeral.data() + numeral.size(),
                                              value);
    if (error == std::errc::result_out_of_range)
        return std::nullopt;
    return value;
}

std::string ScientificText(double value, int decimals)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                   std::chars_format::scientific, decimals)
                         .ptr;
    return std::string(buffer, end);
}

std::string FixedText(double value, int decimals)
{
    char buffer[400];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                   decimals)
                         .ptr;
    return std::string(buffer, end);
}

} // namespace morvelt
