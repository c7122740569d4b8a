#include "program.h"

#include "handlers.h"
#include "window_view.h"

namespace quadrell {

Program::Program(WindowView& view) : view_(view), presenter_(state_, view)
{
    BindHandlers(state_, view.userNumberFormat());
    state_.loadForm1();
}

void Program::numberFormatChanged()
{
    BindHandlers(state_, view_.userNumberFormat());
}

}  // namespace quadrell
