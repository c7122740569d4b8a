#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "colour.h"

namespace quadrell {

// The row holds one box per bit of the byte; box 0 is the leftmost.
inline constexpr int BoxCount = 8;

// Box k stands for the bit of weight 2^(7 - k): box 0 is the most significant bit (128),
// box 7 the least significant (1). Binary texts are written in the same order.
constexpr int BitWeight(int k) { return 1 << (BoxCount - 1 - k); }

// Box k's caption: its index as one digit, "0" to "7".
constexpr std::string_view BoxCaption(int k)
{
    return std::string_view("01234567").substr(static_cast<std::size_t>(k), 1);
}

// The binary text of a byte with no bit set: what the binary display shows at first.
inline constexpr std::string_view NoBitsSet = "00000000";

// One check box of the bit row.
struct BitBox {
    std::string caption;        // the box's index as one digit, "0" to "7"; never changes
    std::int16_t value = 0;     // 0 unchecked, 1 checked
    Colour backColour = BaseColour;
};

}  // namespace quadrell
