#pragma once

#include <QFont>

class QStyle;

namespace quadrell {

// The font for the controls the design gives no font of their own (the bit boxes, the split
// entry, its caption and "Cancella"): the desktop's family at the largest size, no larger than the
// desktop's, at which every one of their captions fits its control, measured with Qt's metrics in
// `style`.
QFont FittedDesktopFont(const QFont& desktop, const QStyle& style);

}  // namespace quadrell
