#include "pixel_area.h"

namespace quadrell::screenshots {

PixelArea::PixelArea(int width, int height, const Reader& at) : width_(width), height_(height)
{
    pixels_.reserve(static_cast<std::size_t>(width * height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels_.push_back(at(x, y));
}

PixelArea::PixelArea(std::span<const Colour> pixels, int width, int height)
    : width_(width), height_(height), pixels_(pixels.begin(), pixels.end())
{
}

}  // namespace quadrell::screenshots
