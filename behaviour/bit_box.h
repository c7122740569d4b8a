#pragma once

#include <cstdint>
#include <string>

#include "colour.h"

namespace quadrell {

// The row holds one box per bit of the byte; box 0 is the leftmost.
inline constexpr int BoxCount = 8;

// Box k stands for the bit of weight 2^(7 - k): box 0 is the most significant bit (128),
// box 7 the least significant (1). Binary texts are written in the same order.
constexpr int BitWeight(int k) { return 1 << (BoxCount - 1 - k); }

// One check box of the bit row.
struct BitBox {
    std::string caption;        // the box's index as one digit, "0" to "7"; never changes
    std::int16_t value = 0;     // 0 unchecked, 1 checked
    Colour backColour = BaseColour;
};

}  // namespace quadrell
