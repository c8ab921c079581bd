#pragma once

#include <array>
#include <string_view>

namespace morvelt {

class ResultView;

// Upper bounds on the grade in tenths for the grades in fifteenths 1 to 14;
// a bound belongs to the lower row, and anything above 9.5 is 15. The window
// shows the same table as text.
inline constexpr std::array<double, 14> FifteenthsTable{1.4, 1.9, 2.4, 2.9, 3.4, 3.9, 4.5,
                                                        5.2, 5.9, 6.4, 7.2, 8.0, 8.8, 9.5};

// 1 plus the number of bounds strictly below grade10, compared as computed.
int Grade15(double grade10);

// Writes lblvoto10, then lblvoto15.
void ConvertAndShow(double grade10, ResultView& view, std::string_view decimalSeparator);

} // namespace morvelt
