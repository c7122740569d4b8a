#pragma once

#include "colour_policy.h"

namespace quadrell::win32 {

// The colours and the high-contrast choice the user made in the system's settings, as the colour
// policy takes them.
design::DesktopScheme ReadDesktopScheme();

}  // namespace quadrell::win32
