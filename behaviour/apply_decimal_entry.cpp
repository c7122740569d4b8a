#include <cmath>
#include <string>

#include "handlers.h"
#include "number_text.h"
#include "window_state.h"

namespace quadrell {

void ApplyDecimalEntry(WindowState& state)
{
    if (LeadingNumber(state.text1()) > 255) {
        // Emptying the entry runs this handler again, on the empty text, before going on here.
        state.setText1("");
    }

    double rest = LeadingNumber(state.text1());
    std::string bits;
    for (int i = BoxCount - 1; i >= 0; --i) {
        const int k = BoxCount - 1 - i;
        const double weight = std::exp2(i);
        if (rest - weight >= 0) {
            bits += '1';
            state.setBoxValue(k, 1);
            rest -= weight;
        } else {
            state.setBoxValue(k, 0);
            bits += '0';
        }
    }
    state.setLabel1(bits);
}

}  // namespace quadrell
