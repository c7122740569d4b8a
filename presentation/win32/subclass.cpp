#include "subclass.h"

namespace quadrell::win32 {

void Subclass(HWND control, const wchar_t* key, WNDPROC procedure)
{
    SetPropW(control, key, reinterpret_cast<HANDLE>(GetWindowLongPtrW(control, GWLP_WNDPROC)));
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

LRESULT CallSubclassed(const wchar_t* key, HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(control, key));
    if (message == WM_NCDESTROY)
        RemovePropW(control, key);
    return CallWindowProcW(previous, control, message, wParam, lParam);
}

}  // namespace quadrell::win32
