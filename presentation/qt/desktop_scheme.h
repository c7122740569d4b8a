#pragma once

#include <QPalette>

#include "colour_policy.h"

namespace quadrell {

// The desktop's colours as the colour policy reads them, from a palette the platform theme set.
// Qt 6.4 cannot tell whether the user asked for high contrast, so the scheme never says so.
design::DesktopScheme DesktopSchemeOf(const QPalette& palette);

}  // namespace quadrell
