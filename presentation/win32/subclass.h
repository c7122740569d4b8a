#pragma once

#include <windows.h>

namespace quadrell::win32 {

// Puts `procedure` in front of the window procedure `control` has, which is kept in the control's
// property `key`; `procedure` hands every message on through CallSubclassed with the same key.
// Each layer has a key of its own, so a control can take several.
void Subclass(HWND control, const wchar_t* key, WNDPROC procedure);

// Hands a message on to the procedure kept under `key`, and forgets it as the control goes.
LRESULT CallSubclassed(const wchar_t* key, HWND control, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quadrell::win32
