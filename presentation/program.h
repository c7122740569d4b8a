#pragma once

#include "presenter.h"
#include "window_state.h"

namespace quadrell {

class WindowView;

// The running program behind a window: a fresh window state with every handler bound, shown in
// `view` and loaded. Every window's start-up makes one, after building its controls and before
// showing itself.
class Program {
public:
    explicit Program(WindowView& view);

    WindowState& state() { return state_; }

    // The view's number format changed, or became known after start-up: the handlers read and
    // write numbers in it from now on.
    void numberFormatChanged();

private:
    WindowView& view_;
    WindowState state_;
    Presenter presenter_;
};

}  // namespace quadrell
