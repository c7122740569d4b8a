#pragma once

#include <functional>
#include <string>

#include <windows.h>

#include "form_design.h"

namespace quadrell::win32_testing {

// Drives a running Quadrell from outside, as a user and a screen reader would: real mouse and
// keyboard input, window texts, check states and the colours on the screen.
class RemoteWindow {
public:
    // Starts the program and waits for its window; check `found()` before use.
    explicit RemoteWindow(const std::wstring& program);
    ~RemoteWindow();
    RemoteWindow(const RemoteWindow&) = delete;
    RemoteWindow& operator=(const RemoteWindow&) = delete;

    bool found() const { return window_ != nullptr; }
    HWND window() const { return window_; }
    HWND control(design::Name name, int index = 0) const;

    // Input.
    void click(HWND target);                       // the middle of a control
    void clickAt(HWND target, int x, int y);       // a point of a control's client area
    void holdMouseDown(HWND target);               // the left button pressed on the middle of a control
    void releaseMouse();                           // and let go where it is
    void type(const std::wstring& text);
    void press(WORD virtualKey, bool withShift = false);
    void pressWithControl(WORD virtualKey);

    // What the window shows.
    std::wstring text(HWND target) const;
    std::wstring text(design::Name name) const { return text(control(name)); }
    std::wstring boxBits() const;
    HWND focus() const;
    // The focus once it has reached `expected`, or as it stands when patience runs out: input is
    // handled some time after it was sent, longer on a slow machine.
    HWND focusWhenItReaches(HWND expected) const;
    COLORREF pixel(HWND target, int x, int y) const;  // read from the screen
    RECT placeInClientArea(HWND target) const;

    // Waits, up to a few seconds, until `done` holds; true when it did.
    static bool waitUntil(const std::function<bool()>& done);
    // Lets the window take in what was sent when nothing visible marks the end, and this thread take
    // in the events the window raised meanwhile.
    static void settle();

    // Closes the window with its system close command; the process's exit status, or -1.
    int closeAndWait();

private:
    void sendMouse(DWORD flags, int screenX, int screenY);

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

}  // namespace quadrell::win32_testing
