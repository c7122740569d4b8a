#pragma once

#include <QString>

namespace quadrell {

// Why no window can be opened on this system, or an empty text when one can. Qt itself ends the
// process with a long diagnostic when its platform cannot connect; this says it in one line first.
QString MissingDisplayReason();

}  // namespace quadrell
