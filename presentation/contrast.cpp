#include "contrast.h"

#include <algorithm>
#include <cmath>

namespace quadrell::design {

namespace {

// The share of a primary's light, from its 8-bit sRGB value.
double Linear(std::uint8_t channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(Colour colour)
{
    return 0.2126 * Linear(RedOf(colour)) + 0.7152 * Linear(GreenOf(colour)) + 0.0722 * Linear(BlueOf(colour));
}

}  // namespace

double ContrastRatio(Colour a, Colour b)
{
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace quadrell::design
