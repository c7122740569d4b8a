#include "program.h"

#include "handlers.h"
#include "window_view.h"

namespace quadrell {

Program::Program(WindowView& view) : presenter_(state_, view)
{
    BindHandlers(state_, view.userNumberFormat());
    state_.loadForm1();
}

}  // namespace quadrell
