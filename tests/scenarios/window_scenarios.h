#pragma once

// What a user does to the window and what it then shows, written once for both windows: the Qt
// window's tests play each scenario in-process, the Windows window's from another process with
// real input. The behaviour's rules are proved by the behaviour tests; these prove that each window
// delivers the user's actions to them and shows what the state then holds.

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "form_design.h"

namespace quadrell::scenarios {

struct Target {
    design::Name name;
    int index = 0;
};

inline constexpr Target Box(int k) { return {design::Name::Check1, k}; }
inline constexpr Target Text1{design::Name::Text1};
inline constexpr Target Text2{design::Name::Text2};
inline constexpr Target Cancella{design::Name::Command1};

enum class Action {
    Look,                // nothing: the window as it stands
    Click,               // the mouse, in the middle of the target
    ClickBesideCaption,  // the mouse, on a bit box's coloured area right of its caption
    Type,                // keys typed into the control that has the focus
    Paste,               // the text put on the clipboard, then Ctrl+V
    Tab,
    ShiftTab,
    Space,               // the space bar, on the control that has the focus
};

// What the window shows; a field left empty is not looked at.
struct Shows {
    std::optional<std::string_view> bits{};     // the boxes' checked states from the left, and the binary display
    std::optional<std::string_view> decimal{};  // the decimal display
    std::optional<std::string_view> text1{};    // the decimal entry
    std::optional<std::string_view> text2{};    // the split entry
    std::optional<std::string_view> colours{};  // the boxes' backgrounds from the left: "Y" yellow, "G" light green
    std::optional<Target> focus{};
    // What screen readers were told during the step, in order, each announcement once, joined by
    // HeardSeparator; "" for nothing at all.
    std::optional<std::string_view> heard{};
};

inline constexpr std::string_view HeardSeparator = " | ";

// What a window shows, as its driver reads it, in the terms of Shows.
struct Shown {
    std::string boxes, label1, label3, text1, text2, colours, heard;
};

// Announcements as a driver records them, in the terms of Shows::heard.
inline std::string JoinHeard(const std::vector<std::string>& announcements)
{
    std::string joined;
    for (const std::string& words : announcements)
        joined += (joined.empty() ? "" : std::string(HeardSeparator)) + words;
    return joined;
}

// Each thing a window shows beside what is expected of it, if anything.
struct Field {
    const char* what;
    std::string_view shown;
    std::optional<std::string_view> expected;
};

inline std::array<Field, 7> Fields(const Shown& shown, const Shows& expected)
{
    return {{{"boxes", shown.boxes, expected.bits},
             {"Label1", shown.label1, expected.bits},
             {"Label3", shown.label3, expected.decimal},
             {"Text1", shown.text1, expected.text1},
             {"Text2", shown.text2, expected.text2},
             {"box colours", shown.colours, expected.colours},
             {"heard", shown.heard, expected.heard}}};
}

// Whether the window shows what is expected; the focus is each driver's to check.
inline bool Matches(const Shown& shown, const Shows& expected)
{
    for (const Field& field : Fields(shown, expected))
        if (field.expected && field.shown != *field.expected)
            return false;
    return true;
}

inline void ExpectMatches(const Shown& shown, const Shows& expected)
{
    for (const Field& field : Fields(shown, expected)) {
        if (field.expected) {
            EXPECT_EQ(field.shown, *field.expected) << field.what;
        }
    }
}

struct Step {
    Action action;
    std::optional<Target> target{};  // for the clicks
    std::string_view text{};         // for typing and pasting
    Shows shows{};                   // once the window has taken the action in
};

inline Step Look(Shows shows) { return {Action::Look, std::nullopt, {}, shows}; }
inline Step Click(Target target, Shows shows = {}) { return {Action::Click, target, {}, shows}; }
inline Step ClickBesideCaption(Target box, Shows shows) { return {Action::ClickBesideCaption, box, {}, shows}; }
inline Step Type(std::string_view text, Shows shows) { return {Action::Type, std::nullopt, text, shows}; }
inline Step Paste(std::string_view text, Shows shows) { return {Action::Paste, std::nullopt, text, shows}; }
inline Step Press(Action key, Shows shows) { return {key, std::nullopt, {}, shows}; }

struct Scenario {
    const char* name;
    std::vector<Step> steps;
};

inline void PrintTo(const Scenario& scenario, std::ostream* out)
{
    *out << scenario.name;
}

// What screen readers hear of the byte and the split.
inline constexpr std::string_view Zero = "Binary 00000000, decimal empty, that is 0";

// The scenarios, each from a window that has just opened.
inline const std::vector<Scenario> WindowScenarios{
    {"starts_empty",
     {Look({.bits = "00000000", .decimal = "", .text1 = "", .text2 = "", .colours = "YYYYYYYY", .focus = Box(0),
            .heard = ""})}},
    {"box_clicks_show_in_both_displays",
     {Click(Box(0), {.bits = "10000000", .decimal = "128", .heard = "Binary 10000000, decimal 128"}),
      ClickBesideCaption(Box(7), {.bits = "10000001", .decimal = "129", .focus = Box(7),
                                  .heard = "Binary 10000001, decimal 129"}),
      Press(Action::Space, {.bits = "10000000", .decimal = "128", .text1 = "", .heard = "Binary 10000000, decimal 128"})}},
    {"typed_values_set_the_boxes",
     {Click(Text1, {.heard = Zero}),
      Type("5", {.bits = "00000101", .decimal = "5", .heard = "Binary 00000101, decimal 5"}),
      Type("0", {.bits = "00110010", .decimal = "50", .heard = "Binary 00110010, decimal 50"}),
      Type("0", {.bits = "00000000", .decimal = "", .text1 = "", .heard = Zero})}},  // 500 is above a byte: the entry empties
    {"decimal_entry_takes_three_characters_typed_or_pasted",
     {Click(Text1),
      Type("1234", {.bits = "01111011", .decimal = "123", .text1 = "123",  // the fourth key is no edit
                    .heard = "Binary 00000001, decimal 1 | Binary 00001100, decimal 12 | Binary 01111011, decimal 123"}),
      Click(Text1, {.bits = "00000000", .decimal = "", .text1 = "", .heard = Zero}),  // a click empties the entry
      Paste("2009", {.bits = "11001000", .decimal = "200", .text1 = "200", .heard = "Binary 11001000, decimal 200"}),
      Click(Text2, {.heard = ""}),
      Type("123456789", {.text2 = "123456789"})}},
    {"split_colours_the_leading_boxes",
     {Click(Text2),
      Type("3", {.colours = "GGGYYYYY", .heard = "The first 3 bits are in the split"}),
      Type("x", {.colours = "YYYYYYYY", .heard = "No bit is in the split"})}},  // "3x" is no number
    {"cancella_clears_the_byte_and_keeps_the_split",
     {Click(Text2),
      Type("4", {.colours = "GGGGYYYY"}),
      Click(Text1),
      Type("200", {.bits = "11001000", .decimal = "200"}),
      Click(Cancella, {.bits = "00000000", .decimal = "", .text1 = "", .colours = "GGGGYYYY", .heard = Zero}),
      Click(Box(1), {.bits = "01000000", .decimal = "64", .heard = "Binary 01000000, decimal 64"}),
      Press(Action::ShiftTab, {.focus = Box(0), .heard = ""}),
      Press(Action::ShiftTab, {.focus = Cancella}),  // around, backwards
      Press(Action::Space, {.bits = "00000000", .decimal = "", .heard = Zero}),
      Press(Action::Space, {.bits = "00000000", .decimal = "", .heard = Zero})}},  // the same words, said again
    {"mouse_click_in_decimal_entry_clears_but_tab_does_not",
     {Click(Text1),
      Type("17", {.bits = "00010001", .decimal = "17"}),
      Press(Action::ShiftTab, {.focus = Box(7)}),
      Press(Action::Tab, {.bits = "00010001", .decimal = "17", .text1 = "17", .focus = Text1, .heard = ""}),
      Click(Text1, {.bits = "00000000", .decimal = "", .text1 = "", .heard = Zero})}},
    {"tab_walks_the_focus_order_and_wraps_around",
     {Press(Action::Tab, {.focus = Box(1)}), Press(Action::Tab, {.focus = Box(2)}),
      Press(Action::Tab, {.focus = Box(3)}), Press(Action::Tab, {.focus = Box(4)}),
      Press(Action::Tab, {.focus = Box(5)}), Press(Action::Tab, {.focus = Box(6)}),
      Press(Action::Tab, {.focus = Box(7)}), Press(Action::Tab, {.focus = Text1}),
      Press(Action::Tab, {.focus = Text2}), Press(Action::Tab, {.focus = Cancella}),
      Press(Action::Tab, {.focus = Box(0)}),
      Press(Action::Space, {.bits = "10000000", .decimal = "128", .heard = "Binary 10000000, decimal 128"}),  // toggles the focused box
      Press(Action::ShiftTab, {.focus = Cancella})}},
};

}  // namespace quadrell::scenarios
