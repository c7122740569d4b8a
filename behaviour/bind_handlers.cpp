#include "handlers.h"
#include "window_state.h"

namespace quadrell {

void BindHandlers(WindowState& state, const NumberFormat& format)
{
    state.onCheck1Click([format](WindowState& s, std::int16_t /*index*/) { RefreshDisplays(s, format); });
    state.onText1Change(ApplyDecimalEntry);
    state.onText1Click(ClearDecimalEntry);
    state.onText2Change([format](WindowState& s) { ApplySplit(s, format); });
    state.onCommand1Click(ClearAll);
    state.onForm1Load(nullptr);  // the initial state is the whole of the start-up state
}

}  // namespace quadrell
