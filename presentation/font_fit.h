#pragma once

#include <string_view>

#include "form_design.h"

namespace quadrell::design {

// The smallest size a control's text is ever given, in points: below it the captions are no
// longer comfortably readable.
inline constexpr double SmallestFittedPoints = 8.0;

// The point size for the controls that have no font of their own: the desktop's default size when
// every caption fits its control at it, otherwise the largest size, in half points, between
// SmallestFittedPoints and the desktop's at which they all fit. `fits(points)` measures that with the
// toolkit's own metrics and must hold at smaller sizes wherever it holds at a larger one.
template <typename Fits>
double FittedPointSize(double desktopPoints, Fits fits)
{
    double points = desktopPoints;
    while (points - 0.5 >= SmallestFittedPoints && !fits(points))
        points -= 0.5;
    return points;
}

// What a split entry must show whole: a count of boxes, one digit.
inline constexpr std::string_view SplitCountSample = "8";

// The widest text `control` must show: its caption, but for the split entry, which starts empty,
// the count it is made to hold.
constexpr std::string_view WidestText(const Control& control)
{
    return control.name == Name::Text2 ? SplitCountSample : control.caption;
}

// A text's extent, or the room a control leaves for its text inside what it draws round it, in
// pixels.
struct TextExtent {
    int width, height;
};

// Whether every control that takes the desktop's font shows its widest text whole in the font
// being tried: `measure(text)` is the text's extent in that font (its height the font's line
// height), `room(control)` the control's room for text.
template <typename Measure, typename Room>
bool WidestTextsFit(Measure measure, Room room)
{
    for (const Control& control : Form1Controls) {
        if (!TakesDesktopFont(control))
            continue;
        const TextExtent text = measure(WidestText(control));
        const TextExtent inside = room(control);
        if (text.width > inside.width || text.height > inside.height)
            return false;
    }
    return true;
}

}  // namespace quadrell::design
