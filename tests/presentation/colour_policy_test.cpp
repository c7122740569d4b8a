#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "colour_policy.h"
#include "contrast.h"

namespace quadrell::design {
namespace {

// Desktop schemes as the front ends read them (0x00BBGGRR).
constexpr SystemColours ClassicLight{0xF0F0F0, 0x000000, 0xFFFFFF, 0x000000, 0xF0F0F0, 0x000000, 0xD77800, 0xFFFFFF};
constexpr SystemColours AdwaitaDark{0x353535, 0xECEEEE, 0x2D2D2D, 0xFFFFFF, 0x3A3A3A, 0xECEEEE, 0x9E5315, 0xFFFFFF};
constexpr SystemColours WhiteOnBlack{0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFF00, 0x000000};
constexpr SystemColours BlackOnWhite{0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0x000000, 0xFFFFFF};

struct Scheme {
    const char* name;
    DesktopScheme scheme;
};
void PrintTo(const Scheme& scheme, std::ostream* out)
{
    *out << scheme.name;
}

const std::vector<Scheme> Schemes{
    {"light", {ClassicLight, false}},
    {"dark", {AdwaitaDark, false}},
    {"white_on_black", {WhiteOnBlack, false}},
    {"black_on_white", {BlackOnWhite, false}},
    {"high_contrast_white_on_black", {WhiteOnBlack, true}},
    {"high_contrast_black_on_white", {BlackOnWhite, true}},
};

// Every control with each designed background it can have: a box is yellow or, in the split, green.
std::vector<std::pair<const Control*, std::optional<Colour>>> PaintedControls()
{
    std::vector<std::pair<const Control*, std::optional<Colour>>> painted;
    for (const Control& control : Form1Controls) {
        if (control.kind == Kind::Shape)
            continue;
        painted.emplace_back(&control, control.background);
        if (control.kind == Kind::CheckBox)
            painted.emplace_back(&control, SplitColour);
    }
    return painted;
}

class EveryScheme : public testing::TestWithParam<Scheme> {};

TEST_P(EveryScheme, EveryTextIsReadableOnItsBackground)
{
    for (const auto& [control, designed] : PaintedControls()) {
        const ControlColours colours = ColoursOf(*control, designed, GetParam().scheme);
        EXPECT_GE(ContrastRatio(colours.text, colours.background), ReadableTextContrast)
            << "control " << static_cast<int>(control->name) << " index " << control->index;
    }
}

TEST_P(EveryScheme, TheOutlineStandsOutFromTheWindow)
{
    const DesktopScheme& scheme = GetParam().scheme;
    EXPECT_GE(ContrastRatio(OutlineColourOf(DarkBlue, scheme), scheme.system.window), VisibleLineContrast);
}

TEST_P(EveryScheme, TheSplitStaysVisible)
{
    const Control& box = Find(Name::Check1, 0);
    const DesktopScheme& scheme = GetParam().scheme;
    EXPECT_NE(ColoursOf(box, SplitColour, scheme).background, ColoursOf(box, BaseColour, scheme).background);
}

INSTANTIATE_TEST_SUITE_P(ColourPolicy, EveryScheme, testing::ValuesIn(Schemes),
                         [](const testing::TestParamInfo<Scheme>& info) { return std::string(info.param.name); });

struct Expected {
    const char* scheme;
    Name control;
    std::optional<Colour> designed;
    ControlColours colours;
};

void PrintTo(const Expected& row, std::ostream* out)
{
    *out << row.scheme << " control " << static_cast<int>(row.control);
}

class ControlColourTable : public testing::TestWithParam<Expected> {};

TEST_P(ControlColourTable, GivesTheListedColours)
{
    const Expected& row = GetParam();
    const auto scheme = std::find_if(Schemes.begin(), Schemes.end(),
                                     [&](const Scheme& s) { return std::string(s.name) == row.scheme; });
    ASSERT_NE(scheme, Schemes.end());
    EXPECT_EQ(ColoursOf(Find(row.control), row.designed, scheme->scheme), row.colours);
}

// The designed backgrounds stay in every usual scheme, with dark text whatever the system's text;
// high contrast gives every control the system's colours and the split the highlight.
INSTANTIATE_TEST_SUITE_P(ColourPolicy, ControlColourTable, testing::Values(
    Expected{"light", Name::Check1, BaseColour, {BaseColour, 0x000000}},
    Expected{"light", Name::Label1, PaleYellow, {PaleYellow, 0x000000}},
    Expected{"light", Name::Label2, std::nullopt, {0xF0F0F0, 0x000000}},
    Expected{"light", Name::Text1, std::nullopt, {0xFFFFFF, 0x000000}},
    Expected{"dark", Name::Check1, SplitColour, {SplitColour, 0x000000}},
    Expected{"dark", Name::Command1, LightBlue, {LightBlue, 0x000000}},
    Expected{"dark", Name::Label4, std::nullopt, {0x353535, 0xECEEEE}},
    Expected{"dark", Name::Text2, std::nullopt, {0x2D2D2D, 0xFFFFFF}},
    Expected{"white_on_black", Name::Label3, SplitColour, {SplitColour, 0x000000}},
    Expected{"high_contrast_white_on_black", Name::Check1, BaseColour, {0x000000, 0xFFFFFF}},
    Expected{"high_contrast_white_on_black", Name::Check1, SplitColour, {0xFFFF00, 0x000000}},
    Expected{"high_contrast_white_on_black", Name::Label1, PaleYellow, {0x000000, 0xFFFFFF}},
    Expected{"high_contrast_white_on_black", Name::Command1, LightBlue, {0x000000, 0xFFFFFF}},
    Expected{"high_contrast_black_on_white", Name::Text1, std::nullopt, {0xFFFFFF, 0x000000}}),
    [](const testing::TestParamInfo<Expected>& info) {
        return std::string(info.param.scheme) + "_row" + std::to_string(info.index);
    });

// What both windows paint: a box shows its colour in the window state, every other control the
// table's.
TEST(ColoursShown, ABitBoxShowsItsCurrentColourAndOtherControlsTheirDesignedOne)
{
    WindowState state;
    state.setBoxBackColour(2, SplitColour);
    const DesktopScheme light{ClassicLight, false};
    EXPECT_EQ(ColoursShown(Find(Name::Check1, 2), state, light).background, SplitColour);
    EXPECT_EQ(ColoursShown(Find(Name::Check1, 3), state, light).background, BaseColour);
    EXPECT_EQ(ColoursShown(Find(Name::Label1), state, light).background, PaleYellow);
    EXPECT_EQ(ColoursShown(Find(Name::Check1, 2), state, {WhiteOnBlack, true}).background, 0xFFFF00u);
}

TEST(OutlineColour, KeepsTheDesignedBlueWhereItShowsAndFollowsTheSystemOtherwise)
{
    EXPECT_EQ(OutlineColourOf(DarkBlue, {ClassicLight, false}), DarkBlue);
    EXPECT_EQ(OutlineColourOf(DarkBlue, {WhiteOnBlack, false}), 0xFFFFFFu);
    EXPECT_EQ(OutlineColourOf(DarkBlue, {BlackOnWhite, true}), 0x000000u);
}

TEST(EntryFrame, IsDrawnOnlyOnADarkWindowAndThenStandsOutFromWindowAndEntry)
{
    EXPECT_EQ(EntryFrameColourOf({ClassicLight, false}), std::nullopt);  // the style's own frame shows
    EXPECT_EQ(EntryFrameColourOf({BlackOnWhite, false}), std::nullopt);
    EXPECT_EQ(EntryFrameColourOf({WhiteOnBlack, true}), std::nullopt);   // the system draws it
    for (const SystemColours& dark : {AdwaitaDark, WhiteOnBlack}) {
        const std::optional<Colour> frame = EntryFrameColourOf({dark, false});
        ASSERT_TRUE(frame.has_value());
        EXPECT_GE(ContrastRatio(*frame, dark.window), VisibleLineContrast);
        EXPECT_GE(ContrastRatio(*frame, dark.entry), VisibleLineContrast);
    }
}

TEST(ContrastRatio, MatchesTheKnownValues)
{
    EXPECT_DOUBLE_EQ(ContrastRatio(0x000000, 0xFFFFFF), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(0x777777, 0x777777), 1.0);
    EXPECT_NEAR(ContrastRatio(0xFFFFFF, BaseColour), 1.07, 0.01);  // white on the yellow boxes
}

}  // namespace
}  // namespace quadrell::design
