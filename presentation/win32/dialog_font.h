#pragma once

#include <windows.h>

namespace quadrell::win32 {

// The font of the controls that have none of their own: the desktop's dialog face at regular
// weight, at the desktop's size where every such control's caption fits it at `dotsPerInch`,
// otherwise at the largest size that fits (design::FittedPointSize).
HFONT CreateDialogFont(int dotsPerInch);

}  // namespace quadrell::win32
