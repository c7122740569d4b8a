#include "handlers.h"
#include "window_state.h"

namespace quadrell {

void ClearAll(WindowState& state)
{
    for (int k = 0; k < BoxCount; ++k)
        state.setBoxValue(k, 0);
    state.setText1("");
}

void ClearDecimalEntry(WindowState& state)
{
    state.setText1("");
}

}  // namespace quadrell
