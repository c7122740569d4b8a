#pragma once

#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "colour.h"

namespace quadrell::screenshots {

// A rectangle of a screenshot's pixels, each a Colour (0x00BBGGRR), row by row from the top
// left. A pixel may be left out (a line drawn across the area that is no part of what is read);
// every reading skips it.
class PixelArea {
public:
    using Reader = std::function<std::optional<Colour>(int x, int y)>;

    // Reads each pixel once, through `at`, with x and y from 0 within the area.
    PixelArea(int width, int height, const Reader& at);
    // Every pixel of `pixels`, width by height.
    PixelArea(std::span<const Colour> pixels, int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    std::optional<Colour> at(int x, int y) const { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }

private:
    int width_, height_;
    std::vector<std::optional<Colour>> pixels_;
};

}  // namespace quadrell::screenshots
