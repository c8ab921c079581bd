#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace morvelt {
namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();

struct ReadRow {
    const char* text;
    double value;
};

TEST(ReadNumber, ReadsTheLeadingNumberWithAPeriod)
{
    const ReadRow rows[] = {
        {"2.5", 2.5},  {"2,5", 2},        {" 4", 4},        {"", 0},        {"x3", 0},
        {"1 2", 12},   {"4 risposte", 4}, {"\t7\n", 7},     {"1\n2", 12},   {"2 . 5", 2.5},
        {"-3", -3},    {"+3", 3},         {"--3", 0},       {".5", 0.5},    {"-.5", -0.5},
        {"5.", 5},     {".", 0},          {"-", 0},         {"0.1.2", 0.1}, {"3abc", 3},
        {"abc", 0},    {"1e3", 1000},     {"2.5E-1", 0.25}, {"1E+2", 100},  {"1e", 1},
        {"1e+", 1},    {"1e400", Inf},    {"-1e400", -Inf}, {"1e-400", 0},  {"&H1F", 31},
        {"&hff", 255}, {"&O17", 15},      {"&o777", 511},   {"&H1Fz", 31},  {"&H", 0},
        {"&O8", 0},    {"&12", 0},
    };
    for (const ReadRow& row : rows) {
        SCOPED_TRACE(std::string("text \"") + row.text + '"');
        EXPECT_EQ(ReadNumber(row.text), row.value);
    }
}

TEST(ReadCount, RoundsTowardsNegativeInfinity)
{
    const ReadRow rows[] = {
        {"10", 10},   {"3.99", 3}, {"3.9", 3}, {"2.9", 2}, {"10.9", 10}, {"0.9", 0}, {"-1", -1},
        {"-0.5", -1}, {"0,9", 0},  {"", 0},    {"abc", 0}, {"   ", 0},   {"&H2", 2}, {"1e400", Inf},
    };
    for (const ReadRow& row : rows) {
        SCOPED_TRACE(std::string("text \"") + row.text + '"');
        EXPECT_EQ(ReadCount(row.text), row.value);
    }
}

struct ReplyRow {
    const char* text;
    const char* separator;
    double value; // NaN: not a number in that locale
};

TEST(ReplyValue, ReadsTheWholeTextInTheUsersLocale)
{
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    const ReplyRow rows[] = {
        {"2,5", ",", 2.5}, {"4,5", ",", 4.5}, {"4.5", ",", NaN}, {"4.5", ".", 4.5},
        {"4,5", ".", NaN}, {"4", ",", 4},     {"4", ".", 4},     {"0", ",", 0},
        {"5", ",", 5},     {" 3 ", ",", 3},   {"\t3", ".", 3},   {",5", ",", 0.5},
        {"-1", ",", -1},   {"+2", ".", 2},    {"", ",", NaN},    {"", ".", NaN},
        {"   ", ",", NaN}, {"abc", ",", NaN}, {"4x", ",", NaN},  {"x4", ".", NaN},
        {"1 2", ",", NaN}, {"inf", ".", NaN}, {"nan", ".", NaN}, {",", ",", NaN},
    };
    for (const ReplyRow& row : rows) {
        SCOPED_TRACE(std::string("reply \"") + row.text + "\" under \"" + row.separator + '"');
        double value = ReplyValue(row.text, row.separator);
        if (std::isnan(row.value))
            EXPECT_TRUE(std::isnan(value)) << value;
        else
            EXPECT_EQ(value, row.value);
    }
}

struct TextRow {
    double value;
    const char* text;
};

TEST(NumberText, BlankOrMinusThenPlainDecimal)
{
    const TextRow rows[] = {
        {0, " 0"},
        {-0.0, " 0"},
        {26, " 26"},
        {12, " 12"},
        {-2, "-2"},
        {-3, "-3"},
        {12.5, " 12.5"},
        {7.5, " 7.5"},
        {27.5, " 27.5"},
        {44.75, " 44.75"},
        {180, " 180"},
        {0.5, " 0.5"},
        {-0.25, "-0.25"},
        {0.1 + 0.2, " 0.3"},
        {0.000015, " 0.000015"},
        // 15 significant digits, correctly rounded
        {5.0 / 3, " 1.66666666666667"},
        {2.0 / 3, " 0.666666666666667"},
        {20.0 / 3, " 6.66666666666667"},
        {35.0 / 3 + 5, " 16.6666666666667"},
        {123456789.123456789, " 123456789.123457"},
        {1e14, " 100000000000000"},
        {999999999999999, " 999999999999999"},
        {1e-15, " 0.000000000000001"},
        // beyond the calculation's own values an exponent takes over
        {1e15, " 1E+15"},
        {-1e15, "-1E+15"},
        {1.5e20, " 1.5E+20"},
        {1e300, " 1E+300"},
        {1e-16, " 1E-16"},
        {2.5e-16, " 2.5E-16"},
    };
    for (const TextRow& row : rows) {
        SCOPED_TRACE("expected \"" + std::string(row.text) + '"');
        EXPECT_EQ(NumberText(row.value), row.text);
    }
}

TEST(IntegerText, PlainDigits)
{
    EXPECT_EQ(IntegerText(10), "10");
    EXPECT_EQ(IntegerText(15), "15");
    EXPECT_EQ(IntegerText(1), "1");
    EXPECT_EQ(IntegerText(0), "0");
    EXPECT_EQ(IntegerText(1234567), "1234567");
}

struct TenthsRow {
    double value;
    const char* comma;  // under a decimal comma
    const char* period; // under a decimal period
};

TEST(TenthsText, TwoDecimalsWithTheUsersSeparator)
{
    const TenthsRow rows[] = {
        {8.2, "8,20", "8.20"},
        {10, "10,00", "10.00"},
        {1, "1,00", "1.00"},
        {5.5, "5,50", "5.50"},
        {3.25, "3,25", "3.25"},
        {1 + 9 * (26.0 / 40), "6,85", "6.85"},
        {(6.0 / 10) * 9 + 1, "6,40", "6.40"},
        {1 + 9 * (44.75 / 65), "7,20", "7.20"},
        {7.1875, "7,19", "7.19"},
        {9.999, "10,00", "10.00"},
        // exact half-way values go away from zero
        {6.625, "6,63", "6.63"},
        {0.125, "0,13", "0.13"},
        {2.875, "2,88", "2.88"},
        {4.375, "4,38", "4.38"},
        {-6.625, "-6,63", "-6.63"},
        // decimal ties whose nearest double lies a hair below half-way count
        // as the decimals they stand for, as on the teacher's calculator
        {9.995, "10,00", "10.00"},
        {2.675, "2,68", "2.68"},
        {1 + 9 * (17.0 / 40), "4,83", "4.83"}, // 8 questions, 17 points
        {1 + 9 * (14.5 / 20), "7,53", "7.53"}, // 4 questions, 14.5 points
        {1 + 9 * (58.0 / 80), "7,53", "7.53"}, // 16 questions, 58 points
        {1 + 9 * (3.0 / 40), "1,68", "1.68"},  // 8 questions, 3 points
        {1 + 9 * (1.0 / 40), "1,23", "1.23"},  // 8 questions, 1 point
        // a true decimal just below a tie stays below
        {4.8249999999, "4,82", "4.82"},
        {-4.8249999999, "-4,82", "-4.82"},
    };
    for (const TenthsRow& row : rows) {
        SCOPED_TRACE("expected \"" + std::string(row.comma) + '"');
        EXPECT_EQ(TenthsText(row.value, ","), row.comma);
        EXPECT_EQ(TenthsText(row.value, "."), row.period);
    }
}

} // namespace
} // namespace morvelt
