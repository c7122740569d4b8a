#include <ostream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "font_fit.h"

namespace quadrell::design {
namespace {

struct Case {
    double desktop;
    double largestThatFits;  // the toolkit's measurement, stood in for by a threshold
    double expected;
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << "desktop " << c.desktop << " pt, fits up to " << c.largestThatFits << " pt";
}

class FittedPointSizeTest : public testing::TestWithParam<Case> {};

TEST_P(FittedPointSizeTest, TakesTheLargestFittingSizeNoMoreThanTheDesktopsAndNoLessThanEight)
{
    const Case& c = GetParam();
    EXPECT_DOUBLE_EQ(FittedPointSize(c.desktop, [&](double points) { return points <= c.largestThatFits; }),
                     c.expected);
}

INSTANTIATE_TEST_SUITE_P(FontFit, FittedPointSizeTest, testing::Values(
    Case{8.25, 20, 8.25},   // the classic dialog font fits as it is
    Case{11, 20, 11},       // a larger desktop font that fits is kept
    Case{11, 9.2, 9},       // too large: shrunk in half points to the largest that fits
    Case{11, 3, 8},         // never below eight points, even where nothing fits
    Case{7, 20, 7}),        // never more than the desktop asks
    [](const testing::TestParamInfo<Case>& info) {
        return "desktop_" + std::to_string(static_cast<int>(info.param.desktop * 100)) + "_fits_up_to_"
            + std::to_string(static_cast<int>(info.param.largestThatFits * 100));
    });

// Each character 6 pixels wide, every line 10 high; every control with ample room but the split
// entry, which has `splitRoom` pixels across, and the decimal entry, which has its own font.
bool FitsWithSplitEntryRoom(int splitRoom)
{
    return WidestTextsFit(
        [](std::string_view text) { return TextExtent{6 * static_cast<int>(text.size()), 10}; },
        [&](const Control& control) {
            if (control.name == Name::Text1)
                return TextExtent{0, 0};
            return TextExtent{control.name == Name::Text2 ? splitRoom : 1000, 1000};
        });
}

TEST(WidestTextsFitTest, TheSplitEntryMustHoldADigitThoughItStartsEmpty)
{
    EXPECT_FALSE(FitsWithSplitEntryRoom(5));
    EXPECT_TRUE(FitsWithSplitEntryRoom(6));
}

}  // namespace
}  // namespace quadrell::design
