#pragma once

#include "number_format.h"

namespace quadrell {

// How the user's regional settings write numbers, as the system keeps them: on Linux LC_ALL, else
// LC_NUMERIC, else LANG, read by Qt once the application object exists; on Windows the user's
// regional settings. Each window defines it in its own user_number_format.cpp.
NumberFormat UserNumberFormat();

}  // namespace quadrell
