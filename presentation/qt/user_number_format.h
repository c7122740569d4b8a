#pragma once

#include "number_format.h"

namespace quadrell {

// How the user's regional settings write numbers: Qt reads LC_ALL, else LC_NUMERIC, else LANG.
// Call after the application object exists.
NumberFormat UserNumberFormat();

}  // namespace quadrell
