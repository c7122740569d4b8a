#pragma once

#include "number_format.h"

namespace quadrell {

class WindowState;

// The window's behaviour: one handler per control and notification. Each reads and writes only
// the window state, through its setters, so a handler's changes reach the others by the same
// notifications a user's actions raise.

// A bit box was clicked or set: rebuilds the binary and decimal displays from all eight boxes.
// Which box it was does not matter; the displays depend only on the boxes' values.
void RefreshDisplays(WindowState& state, const NumberFormat& format);

// The decimal entry changed: sets the boxes to the entry's value, emptying an entry above 255.
void ApplyDecimalEntry(WindowState& state);

// The split entry changed: colours the first N boxes, the N most significant bits.
void ApplySplit(WindowState& state, const NumberFormat& format);

// "Cancella" was pressed: the byte and the decimal entry go back to empty.
void ClearAll(WindowState& state);

// The decimal entry was clicked with the mouse: it is emptied so a new value can be typed.
void ClearDecimalEntry(WindowState& state);

// Binds every handler above to its notification. `format` is how the user's locale writes
// numbers; the handlers keep their own copy.
void BindHandlers(WindowState& state, const NumberFormat& format);

}  // namespace quadrell
