#include <variant>

#include "handlers.h"
#include "number_text.h"
#include "window_state.h"

namespace quadrell {

void ApplySplit(WindowState& state, const NumberFormat& format)
{
    // Every change starts from an all-yellow row, so a shorter or unreadable count never leaves
    // stale green boxes behind.
    for (int k = 0; k < BoxCount; ++k)
        state.setBoxBackColour(k, BaseColour);

    if (state.text2().empty())
        return;
    const StrictResult reading = StrictNumber(state.text2(), format);
    const double* count = std::get_if<double>(&reading);
    if (count == nullptr || !(*count > 0))
        return;
    for (int k = 0; k <= *count - 1 && k < BoxCount; ++k)
        state.setBoxBackColour(k, SplitColour);
}

}  // namespace quadrell
