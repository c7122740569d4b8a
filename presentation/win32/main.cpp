#include <windows.h>

#include "dll_search.h"
#include "form1_window.h"
#include "handlers.h"
#include "user_number_format.h"
#include "window_state.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    quadrell::win32::RestrictDllSearchToSystem();
    quadrell::WindowState state;
    quadrell::BindHandlers(state, quadrell::UserNumberFormat());
    quadrell::win32::Form1Window window(state);
    if (!window.create(instance))
        return 1;
    state.loadForm1();
    ShowWindow(window.handle(), showCommand);
    UpdateWindow(window.handle());

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // The dialog keys: Tab and Shift+Tab walk the focus order, space presses the focused control.
        if (window.handle() && IsDialogMessageW(window.handle(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
