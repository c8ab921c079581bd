#include "calc/grade_conversion.h"

#include "scenario.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace morvelt {
namespace {

using fakes::Caption;
using fakes::CaptionWrite;
using fakes::RecordingView;

struct Bound {
    double bound;       // upper bound of the row, as the window prints it
    const char* tenths; // TenthsText of the bound under a decimal comma
    int atBound;        // the bound belongs to the lower row
};

class FifteenthsBound : public testing::TestWithParam<Bound> {};

TEST_P(FifteenthsBound, BelongsToTheLowerRow)
{
    const Bound& row = GetParam();
    const double above = std::nextafter(row.bound, std::numeric_limits<double>::infinity());

    EXPECT_EQ(Grade15(row.bound), row.atBound);
    EXPECT_EQ(Grade15(above), row.atBound + 1);

    RecordingView atBound;
    ConvertAndShow(row.bound, atBound, ",");
    EXPECT_EQ(atBound.Voto10(), row.tenths);
    EXPECT_EQ(atBound.Voto15(), std::to_string(row.atBound));

    RecordingView justAbove;
    ConvertAndShow(above, justAbove, ",");
    EXPECT_EQ(justAbove.Voto10(), row.tenths);
    EXPECT_EQ(justAbove.Voto15(), std::to_string(row.atBound + 1));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    EveryBound, FifteenthsBound,
    testing::Values(Bound{1.4, "1,40", 1}, Bound{1.9, "1,90", 2}, Bound{2.4, "2,40", 3},
                    Bound{2.9, "2,90", 4}, Bound{3.4, "3,40", 5}, Bound{3.9, "3,90", 6},
                    Bound{4.5, "4,50", 7}, Bound{5.2, "5,20", 8}, Bound{5.9, "5,90", 9},
                    Bound{6.4, "6,40", 10}, Bound{7.2, "7,20", 11}, Bound{8.0, "8,00", 12},
                    Bound{8.8, "8,80", 13}, Bound{9.5, "9,50", 14}),
    [](const testing::TestParamInfo<Bound>& info) {
        return fakes::RowName(std::string(info.param.tenths) + " gives "
                              + std::to_string(info.param.atBound));
    });
// clang-format on

struct Shown {
    const char* name;
    double grade10;
    const char* voto10; // under a decimal comma
    const char* voto15;
};

class GradeCaptions : public testing::TestWithParam<Shown> {};

TEST_P(GradeCaptions, TenthsThenFifteenths)
{
    const Shown& row = GetParam();
    for (const char* separator : {",", "."}) {
        SCOPED_TRACE(std::string("decimal separator \"") + separator + '"');
        std::string voto10 = row.voto10;
        if (std::string(separator) == ".")
            voto10.replace(voto10.find(','), 1, ".");

        RecordingView view;
        ConvertAndShow(row.grade10, view, separator);
        // lblpunti is left alone; lblvoto10 is written before lblvoto15.
        std::vector<CaptionWrite> expected{{Caption::lblvoto10, voto10},
                                           {Caption::lblvoto15, row.voto15}};
        EXPECT_EQ(view.Writes(), expected);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Examples, GradeCaptions,
    testing::Values(
        Shown{"ten", 10, "10,00", "15"},
        Shown{"exactly 9.5", 9.5, "9,50", "14"},
        Shown{"9.51", 9.51, "9,51", "15"},
        Shown{"12 of 15", 8.2, "8,20", "13"},
        Shown{"26 of 40 lies just above 6.85", 1 + 9 * (26.0 / 40), "6,85", "11"},
        Shown{"2 of 45 equals the bound 1.4", 1 + 9 * (2.0 / 45), "1,40", "1"},
        Shown{"no points", 1, "1,00", "1"},
        Shown{"exactly 4.5", 4.5, "4,50", "7"},
        Shown{"next double above 4.5", std::nextafter(4.5, 5.0), "4,50", "8"},
        Shown{"6 of 10 lies just below 6.4", (6.0 / 10) * 9 + 1, "6,40", "10"},
        Shown{"44.75 of 65 lies below 7.2", 1 + 9 * (44.75 / 65), "7,20", "11"},
        Shown{"below one", 0.5, "0,50", "1"}),
    [](const testing::TestParamInfo<Shown>& info) { return fakes::RowName(info.param.name); });
// clang-format on

} // namespace
} // namespace morvelt
