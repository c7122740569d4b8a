#include "display_dpi.h"

namespace quadrell::win32 {

namespace {

// Per-monitor scaling came with Windows 10; the program still starts on the systems before it, so
// what it needs from it is looked up while running instead of imported.
template <typename Function>
Function User32Function(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

}  // namespace

int SystemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dotsPerInch;
}

int WindowDpi(HWND window)
{
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const UINT dotsPerInch = getDpiForWindow ? getDpiForWindow(window) : 0;
    return dotsPerInch ? static_cast<int>(dotsPerInch) : SystemDpi();
}

RECT FrameAround(RECT inside, DWORD style, int dotsPerInch)
{
    static const auto adjustForDpi = User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    if (!adjustForDpi || !adjustForDpi(&inside, style, FALSE, 0, static_cast<UINT>(dotsPerInch)))
        AdjustWindowRectEx(&inside, style, FALSE, 0);
    return inside;
}

int MetricAt(int index, int dotsPerInch)
{
    static const auto metricForDpi = User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (metricForDpi)
        return metricForDpi(index, static_cast<UINT>(dotsPerInch));
    return MulDiv(GetSystemMetrics(index), dotsPerInch, SystemDpi());
}

}  // namespace quadrell::win32
