#pragma once

#include <windows.h>

namespace quadrell::win32 {

// Lets a control of the window answer screen readers itself: it is subclassed so that its
// WM_GETOBJECT requests reach AnswerGetObject.
void MakeAccessible(HWND control);

// The answer to WM_GETOBJECT for the window or one of its controls: for the client object, an
// object that says what the Linux window says, wrapping the system's standard one. 0 for any
// other object, or when the system has no accessibility library, so that the system answers.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam);

}  // namespace quadrell::win32
