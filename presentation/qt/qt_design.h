#pragma once

#include <initializer_list>
#include <utility>

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>

class QWidget;

#include "form_design.h"

namespace quadrell {

// Design values in Qt's terms. Sizes are in device-independent pixels, 15 twips each; Qt scales
// them by the screen's device pixel ratio, so the window stays proportionate and sharp on HiDPI.
int TwipsToPixels(int twips);
QRect ToQRect(const design::Rect& bounds);
QColor ToQColor(Colour colour);
Colour FromQColor(const QColor& colour);
QString ToQString(std::string_view text);

// Gives `widget` these colours as its own for their palette roles. A colour the widget merely
// inherits would follow the desktop's next palette, so one that is shown already is set all the
// same unless it is the widget's own. Only the widget's palette changes: its parent is not told,
// so nothing repaints in a loop.
void SetOwnColours(QWidget* widget, std::initializer_list<std::pair<QPalette::ColorRole, QColor>> colours);

// The design's font; where its face is missing, Qt's substitution picks a similar sans face at the
// same size and weight.
QFont ToQFont(const design::Font& font);
void RegisterFontSubstitutes();

}  // namespace quadrell
