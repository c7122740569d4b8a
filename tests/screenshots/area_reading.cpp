#include "area_reading.h"

#include <algorithm>
#include <map>

#include "contrast.h"

namespace quadrell::screenshots {

namespace {

std::map<Colour, int> ColourCounts(const PixelArea& area)
{
    std::map<Colour, int> counts;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            if (const auto pixel = area.at(x, y))
                ++counts[*pixel];
    return counts;
}

}  // namespace

Colour Background(const PixelArea& area)
{
    const std::map<Colour, int> counts = ColourCounts(area);
    if (counts.empty())
        return 0;
    return std::max_element(counts.begin(), counts.end(), [](auto a, auto b) { return a.second < b.second; })->first;
}

double InkContrast(const PixelArea& area, Colour background, int leastPixels)
{
    double farthest = 1;
    for (const auto& [colour, count] : ColourCounts(area))
        if (count >= leastPixels)
            farthest = std::max(farthest, design::ContrastRatio(colour, background));
    return farthest;
}

Ink InkOf(const PixelArea& area, Colour background, double threshold)
{
    Ink ink(area.width(), area.height());
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            if (const auto pixel = area.at(x, y); pixel && design::ContrastRatio(*pixel, background) >= threshold)
                ink.add(x, y);
    return ink;
}

}  // namespace quadrell::screenshots
