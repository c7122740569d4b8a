#pragma once

namespace quadrell::design {

// How a push button with a face colour of its own draws itself in every front end, since no
// style paints a face colour it is given: a flat face in that colour, an edge that stands raised
// and sinks while the button is pressed, the caption moving with the pressed face, and the focus
// shown by a dotted rectangle inside the edge.
enum class Edge { Raised, Sunk };

struct ButtonLook {
    Edge edge;
    int captionShift;  // pixels right and down
};

constexpr ButtonLook ButtonLookOf(bool pressed)
{
    return pressed ? ButtonLook{Edge::Sunk, 1} : ButtonLook{Edge::Raised, 0};
}

// Where a caption is drawn from so that its ink stands in the middle of a face `faceWidth` wide,
// the ink starting `inkLeft` from where the text is drawn and `inkWidth` wide: centred by its ink,
// not by the advances its font reports, which may run wider than the glyphs.
constexpr int CentredCaptionStart(int faceWidth, int inkLeft, int inkWidth)
{
    return (faceWidth - inkWidth) / 2 - inkLeft;
}

// How far the focus rectangle lies inside the button's bounds, in pixels.
inline constexpr int FocusInset = 3;

}  // namespace quadrell::design
