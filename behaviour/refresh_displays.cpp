#include <cmath>
#include <optional>
#include <string>
#include <variant>

#include "handlers.h"
#include "number_text.h"
#include "window_state.h"

namespace quadrell {

namespace {

// The weight a box carries: 2 to the power of 7 minus its caption's number. Captions are single
// digits, read directly; anything else goes through the strict reading.
std::optional<double> CaptionWeight(const std::string& caption, const NumberFormat& format)
{
    if (caption.size() == 1 && caption[0] >= '0' && caption[0] <= '9')
        return std::ldexp(1.0, 7 - (caption[0] - '0'));
    const StrictResult place = StrictNumber(caption, format);
    if (const double* number = std::get_if<double>(&place))
        return std::exp2(7.0 - *number);
    return std::nullopt;
}

}  // namespace

void RefreshDisplays(WindowState& state, const NumberFormat& format, std::int16_t /*index*/)
{
    Accumulator total;
    std::string bits;
    for (int k = 0; k < BoxCount; ++k) {
        const BitBox& box = state.box(k);
        if (box.value == 1) {
            // The weight comes from the caption digit, which names the box's place in the row.
            if (const std::optional<double> weight = CaptionWeight(box.caption, format))
                total.add(*weight);
            bits += '1';
        }
        if (box.value == 0)
            bits += '0';
    }
    state.setLabel1(bits);
    state.setLabel3(NumberText(total, format));
}

}  // namespace quadrell
