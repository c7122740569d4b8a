#pragma once

#include <windows.h>

namespace quadrell::win32 {

// The dots per inch of the screen the program starts on: the system's, which its metrics and
// the desktop's fonts are given in.
int SystemDpi();

// The dots per inch of the monitor a window is on. Systems older than per-monitor scaling have
// one for all, the system's.
int WindowDpi(HWND window);

// The frame rectangle around a client area `inside`, with the frame drawn for `dotsPerInch`.
RECT FrameAround(RECT inside, DWORD style, int dotsPerInch);

// A system metric at `dotsPerInch`.
int MetricAt(int index, int dotsPerInch);

}  // namespace quadrell::win32
