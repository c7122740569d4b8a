#pragma once

#include <string>
#include <string_view>

#include <windows.h>

namespace quadrell::win32 {

// The behaviour keeps UTF-8; Windows speaks UTF-16.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// A window's caption or a control's text, as it shows it.
std::wstring WindowText(HWND window);

}  // namespace quadrell::win32
