// Inputs on which the fuzz targets (tests/fuzz) found a conversion breaking
// its own rule, kept here as ordinary cases once found.

#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <string>

namespace morvelt {
namespace {

struct HalfWayRow {
    double value;      // exactly half-way between two hundredths
    const char* comma; // under a decimal comma
};

// A double lies half-way between two hundredths at the odd multiples of
// 1/8, and doubles hold those up to 2^50. Every one of them rounds away from
// zero, whatever its magnitude; the grades never come near the large ones,
// but the rule is the function's.
TEST(TenthsTextHalfWay, AwayFromZeroAtAnyMagnitude)
{
    const HalfWayRow rows[] = {
        {999999999999.875, "999999999999,88"},
        {1000000000000.125, "1000000000000,13"},
        {566674528092147.125, "566674528092147,13"},
        {-633594653458432.125, "-633594653458432,13"},
        {1125899906842623.875, "1125899906842623,88"}, // 2^50 - 1/8, the largest
    };
    for (const HalfWayRow& row : rows) {
        SCOPED_TRACE("expected \"" + std::string(row.comma) + '"');
        EXPECT_EQ(TenthsText(row.value, ","), row.comma);
    }
}

} // namespace
} // namespace morvelt
