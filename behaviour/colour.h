#pragma once

#include <cstdint>

namespace quadrell {

// A colour in the Windows form 0x00BBGGRR: red in the low byte, then green, then blue.
using Colour = std::uint32_t;

inline constexpr Colour BaseColour = 0x0000FFFF;   // yellow: a box outside the split
inline constexpr Colour SplitColour = 0x00C0FFC0;  // light green: a box inside the split

constexpr std::uint8_t RedOf(Colour c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GreenOf(Colour c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(Colour c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }

}  // namespace quadrell
