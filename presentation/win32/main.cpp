#include <windows.h>

#include "form1_window.h"
#include "program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    quadrell::win32::Form1Window window;
    if (!window.create(instance))
        return 1;
    quadrell::Program program(window);
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
