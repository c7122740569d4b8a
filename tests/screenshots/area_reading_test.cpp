#include "area_reading.h"

#include <vector>

#include <gtest/gtest.h>

#include "contrast.h"

namespace quadrell::screenshots {
namespace {

constexpr Colour White = 0xFFFFFF, Black = 0x000000, Grey = 0x767676, Pale = 0xEEEEEE, Blue = 0xFF0000;

// A white area of 6 x 4 with a black stroke down column 2 from row 1 to row 2, a pale pixel at the
// top left (too faint for ink) and grey ones along the bottom row, right of the stroke.
PixelArea Sample()
{
    std::vector<Colour> pixels(24, White);
    pixels[0] = Pale;
    pixels[1 * 6 + 2] = pixels[2 * 6 + 2] = Black;
    for (int x = 2; x < 6; ++x)
        pixels[static_cast<std::size_t>(3 * 6 + x)] = Grey;
    return PixelArea(pixels, 6, 4);
}

TEST(AreaReading, TheBackgroundIsTheCommonestColour)
{
    EXPECT_EQ(Background(Sample()), White);
    // Left-out pixels count for nothing, however many they are.
    const PixelArea crossed(5, 2, [](int x, int y) -> std::optional<Colour> {
        if (y == 0)
            return std::nullopt;
        return x < 2 ? Blue : Grey;
    });
    EXPECT_EQ(Background(crossed), Grey);
}

TEST(AreaReading, TheInksContrastIsThatOfTheFarthestColourDrawnOnEnoughPixels)
{
    const PixelArea area = Sample();
    EXPECT_DOUBLE_EQ(InkContrast(area, White), design::ContrastRatio(Black, White));
    // Two black pixels are too few when four are asked for: the grey row is the ink then.
    EXPECT_DOUBLE_EQ(InkContrast(area, White, 4), design::ContrastRatio(Grey, White));
    EXPECT_DOUBLE_EQ(InkContrast(area, White, 5), 1.0);
}

TEST(AreaReading, TheInkIsEveryPixelFarEnoughFromTheBackground)
{
    const Ink ink = InkOf(Sample(), White, 2.0);
    EXPECT_EQ(ink.count(), 6);  // the stroke and the grey row, not the pale pixel
    EXPECT_EQ(ink.left(), 2);
    EXPECT_EQ(ink.top(), 1);
    EXPECT_EQ(ink.right(), 5);
    EXPECT_EQ(ink.bottom(), 3);
    EXPECT_FALSE(ink.inColumn(0));
    EXPECT_TRUE(ink.inColumn(2));
    EXPECT_TRUE(ink.at(2, 1));
    EXPECT_FALSE(ink.at(3, 1));
    // Above the grey's contrast only the stroke is ink.
    const Ink strokes = InkOf(Sample(), White, design::ContrastRatio(Grey, White) + 0.01);
    EXPECT_EQ(strokes.count(), 2);
    EXPECT_EQ(strokes.width(), 1);
    EXPECT_EQ(strokes.height(), 2);
    EXPECT_FALSE(InkOf(Sample(), White, 22).any());
}

}  // namespace
}  // namespace quadrell::screenshots
