#pragma once

// What a check reads of a text, a mark or a line from the pixels of its area, the same for the Qt
// window, the Windows program and the web page: the background is the area's commonest colour,
// the ink what stands out from it, and the ink's contrast that of the pixel farthest from it.

#include "colour.h"
#include "ink.h"
#include "pixel_area.h"

namespace quadrell::screenshots {

// The commonest colour of the area; of colours as common, the lowest value. An area with no
// pixel to read has black.
Colour Background(const PixelArea& area);

// The contrast (design::ContrastRatio) of the colour farthest from `background` of those drawn on
// at least `leastPixels` of the area's pixels; 1 when there is none.
double InkContrast(const PixelArea& area, Colour background, int leastPixels = 1);

// The pixels at least `threshold` in contrast from `background`.
Ink InkOf(const PixelArea& area, Colour background, double threshold);

}  // namespace quadrell::screenshots
