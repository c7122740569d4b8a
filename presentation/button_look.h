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

// How far the focus rectangle lies inside the button's bounds, in pixels.
inline constexpr int FocusInset = 3;

}  // namespace quadrell::design
