#pragma once

#include <string>

#include <windows.h>

namespace quadrell::win32 {

// Lets a control of the window answer screen readers itself: it is subclassed so that its
// WM_GETOBJECT requests reach AnswerGetObject.
void MakeAccessible(HWND control);

// Sets what an accessible control says as its description whenever it holds no announcement.
void SetDescription(HWND control, const std::wstring& description);

// Sets the name of a button's default action, as screen readers offer it.
void SetActionName(HWND control, const std::wstring& name);

// Makes `control`, which has the focus, say `words` as its description until the focus leaves it
// or arrives again, and tells screen readers that its description changed: the way to have them say
// an outcome without moving the focus.
void Announce(HWND control, const std::wstring& words);

// The answer to WM_GETOBJECT for the window or one of its controls: for the client object, an
// object that says what the Linux window says, wrapping the system's standard one. 0 for any
// other object, or when the system has no accessibility library, so that the system answers.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam);

}  // namespace quadrell::win32
