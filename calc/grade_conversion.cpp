#include "calc/grade_conversion.h"

#include "calc/number_text.h"
#include "calc/result_view.h"

#include <algorithm>

namespace morvelt {

int Grade15(double grade10)
{
    return 1
           + static_cast<int>(std::count_if(FifteenthsTable.begin(), FifteenthsTable.end(),
                                            [grade10](double bound) { return bound < grade10; }));
}

void ConvertAndShow(double grade10, ResultView& view, std::string_view decimalSeparator)
{
    view.SetVoto10(TenthsText(grade10, decimalSeparator));
    view.SetVoto15(IntegerText(Grade15(grade10)));
}

} // namespace morvelt
