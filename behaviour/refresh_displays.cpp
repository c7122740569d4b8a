#include <cmath>
#include <string>

#include "handlers.h"
#include "number_text.h"
#include "window_state.h"

namespace quadrell {

namespace {

// The weight a box carries: 2 to the power of 7 minus its caption's number. The window state
// gives every box its caption once, a single digit "0" to "7" (BoxCaption), so the digit is read
// directly.
double CaptionWeight(const std::string& caption)
{
    return std::ldexp(1.0, 7 - (caption[0] - '0'));
}

}  // namespace

void RefreshDisplays(WindowState& state, const NumberFormat& format)
{
    Accumulator total;
    std::string bits;
    for (int k = 0; k < BoxCount; ++k) {
        const BitBox& box = state.box(k);
        if (box.value == 1) {
            // The weight comes from the caption digit, which names the box's place in the row.
            total.add(CaptionWeight(box.caption));
            bits += '1';
        }
        if (box.value == 0)
            bits += '0';
    }
    state.setLabel1(bits);
    state.setLabel3(NumberText(total, format));
}

}  // namespace quadrell
