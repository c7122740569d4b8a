#pragma once

#include "colour.h"

namespace quadrell::design {

// How far apart two colours are to the eye: the ratio of their relative luminances, from 1 (the
// same) to 21 (black on white). Text is readable from 4.5; a line or frame is seen from 3.
double ContrastRatio(Colour a, Colour b);

inline constexpr double ReadableTextContrast = 4.5;
inline constexpr double VisibleLineContrast = 3.0;

}  // namespace quadrell::design
