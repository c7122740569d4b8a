#pragma once

#include <cstdlib>
#include <span>

namespace quadrell::design {

// How far a designed text's size may stray from its point size at the screen's scale before it no
// longer reads as that size: a sixth either way.
inline constexpr int SizeTolerancePercent = 15;

// Whether a bitmap face serves a designed text asked for at `askedPixels` character height, given
// what the font mapper returned for that request, `givenPixels`, and the heights the face is drawn
// in, `drawnPixels`. A bitmap face comes in a few sizes drawn for one scale; the mapper answers any
// other size with the nearest it has, or with one of them magnified. It serves only with a size it
// is drawn in that lies within the tolerance of the size asked; otherwise the text takes an outline
// face, which has every size.
constexpr bool BitmapSizeServes(int askedPixels, int givenPixels, std::span<const int> drawnPixels)
{
    bool drawn = false;
    for (int each : drawnPixels)
        drawn = drawn || each == givenPixels;
    return drawn && std::abs(givenPixels - askedPixels) * 100 <= askedPixels * SizeTolerancePercent;
}

}  // namespace quadrell::design
