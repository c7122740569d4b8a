#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include "form_design.h"

namespace quadrell {

// Design values in Qt's terms. Sizes are in device-independent pixels, 15 twips each; Qt scales
// them by the screen's device pixel ratio, so the window stays proportionate and sharp on HiDPI.
int TwipsToPixels(int twips);
QRect ToQRect(const design::Rect& bounds);
QColor ToQColor(Colour colour);
Colour FromQColor(const QColor& colour);
QString ToQString(std::string_view text);

// The design's font; where its face is missing, Qt's substitution picks a similar sans face at the
// same size and weight.
QFont ToQFont(const design::Font& font);
void RegisterFontSubstitutes();

}  // namespace quadrell
