#include <array>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "designed_face.h"

namespace quadrell::design {
namespace {

// The character heights of the classic bitmap face as Wine draws it (96 dots per inch), and as
// Windows draws it for 96 and for 120 dots per inch.
const std::vector<int> Wine96{11, 13, 16};
const std::vector<int> Windows96{11, 13, 16, 19, 24, 32};
const std::vector<int> Windows120{13, 16, 20, 24, 30, 40};
const std::vector<int> Only17{17};

struct Case {
    const char* name;
    int asked, given;
    const std::vector<int>* drawn;
    bool serves;
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

class BitmapSizeServesTest : public testing::TestWithParam<Case> {};

TEST_P(BitmapSizeServesTest, OnlyADrawnSizeNearTheSizeAsked)
{
    const Case& c = GetParam();
    EXPECT_EQ(BitmapSizeServes(c.asked, c.given, *c.drawn), c.serves);
}

INSTANTIATE_TEST_SUITE_P(DesignedFace, BitmapSizeServesTest, testing::Values(
    // 100 %: every designed size keeps the bitmap face, 13.5 pt (18 px) in its 16 px size.
    Case{"wine_96dpi_binary_display", 18, 16, &Wine96, true},
    Case{"wine_96dpi_entry", 11, 11, &Wine96, true},
    // 125 % under Wine: the mapper keeps the 100 % sizes for the displays; outline there.
    Case{"wine_120dpi_binary_display", 23, 16, &Wine96, false},
    Case{"wine_120dpi_decimal_display", 20, 16, &Wine96, false},
    Case{"wine_120dpi_ascii_caption", 16, 16, &Wine96, true},
    // 125 % on Windows, whose bitmap face is drawn for 120 dots per inch too.
    Case{"windows_120dpi_binary_display", 23, 24, &Windows120, true},
    Case{"windows_120dpi_decimal_display", 20, 20, &Windows120, true},
    // A size magnified from a drawn one is no drawn size, however near.
    Case{"wine_288dpi_entry_magnified", 33, 32, &Wine96, false},
    Case{"windows_96dpi_24pt_drawn", 32, 32, &Windows96, true},
    // The tolerance's edge: a sixth either way, no more.
    Case{"fifteen_percent_short", 20, 17, &Only17, true},
    Case{"over_fifteen_percent_short", 21, 17, &Only17, false},
    // 200 % under Wine: the largest drawn size is far too small.
    Case{"wine_192dpi_binary_display", 36, 16, &Wine96, false}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quadrell::design
