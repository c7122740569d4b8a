#pragma once

#include <optional>

#include "colour.h"
#include "form_design.h"

namespace quadrell::design {

// The colours the desktop asks programs to use, as each front end reads them from its system.
struct SystemColours {
    Colour window;         // a form's background
    Colour windowText;     // text on it
    Colour entry;          // a text entry's background
    Colour entryText;      // text in an entry
    Colour button;         // a push button's face
    Colour buttonText;     // text on a push button
    Colour highlight;      // what is selected
    Colour highlightText;  // text on the selection
};

struct DesktopScheme {
    SystemColours system;
    bool highContrast;  // the user asked every program for the system's colours alone
};

// What a control is painted with.
struct ControlColours {
    Colour background;
    Colour text;
    friend bool operator==(const ControlColours&, const ControlColours&) = default;
};

// Text on the design's own backgrounds. The design chose its light backgrounds for dark text; the
// system's text colour may be light, so text on them is always this.
inline constexpr Colour DesignedTextColour = 0x00000000;

// The colours of `control`, whose designed background is `designed` (for a bit box, its current
// colour from the window state; none for a control that takes the system's colour).
// In the usual schemes the designed backgrounds stay and their text is dark; every other control
// takes the system's colours. Under high contrast every control takes the system's colours, and
// the boxes of the split stand out in the highlight colours.
ControlColours ColoursOf(const Control& control, std::optional<Colour> designed, const DesktopScheme& scheme);

// The colours `control` is painted with while the window holds `state`: a bit box's designed
// background is its current colour there, yellow or, inside the split, light green.
ControlColours ColoursShown(const Control& control, const WindowState& state, const DesktopScheme& scheme);

// The colour of an outline shape whose designed colour is `designed`: kept wherever it stands out
// from the window's background, the window's text colour under high contrast or where it would
// vanish.
Colour OutlineColourOf(Colour designed, const DesktopScheme& scheme);

// The line drawn round a text entry, or none where the style's own frame shows. Styles draw that
// frame a shade darker than the window, which on a dark window is no line at all; there the frame
// lies halfway between the window's colour and its text's, so it stands out from both the window
// and the entry.
std::optional<Colour> EntryFrameColourOf(const DesktopScheme& scheme);

}  // namespace quadrell::design
