#include "remote_window.h"

#include <vector>

#include "control_ids.h"

namespace quadrell::win32_testing {

namespace {

constexpr DWORD PatienceMs = 10000;

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (owner == search->processId && IsWindowVisible(window) && std::wstring(className) == win32::WindowClassName) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

INPUT KeyInput(WORD virtualKey, WORD character, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = character;
    input.ki.dwFlags = flags;
    return input;
}

}  // namespace

RemoteWindow::RemoteWindow(const std::wstring& program)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_))
        return;
    WaitForInputIdle(process_.hProcess, PatienceMs);
    waitUntil([&] {
        Search search{process_.dwProcessId, nullptr};
        EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
        window_ = search.found;
        return window_ != nullptr;
    });
    // A window that has just appeared may not have painted yet.
    if (window_ && waitUntil([&] { return IsWindowVisible(window_) != FALSE; }))
        RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

RemoteWindow::~RemoteWindow()
{
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
}

HWND RemoteWindow::control(design::Name name, int index) const
{
    return GetDlgItem(window_, win32::ControlId(name, index));
}

void RemoteWindow::sendMouse(DWORD flags, int screenX, int screenY)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screenX, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screenY, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
}

void RemoteWindow::clickAt(HWND target, int x, int y)
{
    POINT at{x, y};
    ClientToScreen(target, &at);
    sendMouse(0, at.x, at.y);
    sendMouse(MOUSEEVENTF_LEFTDOWN, at.x, at.y);
    sendMouse(MOUSEEVENTF_LEFTUP, at.x, at.y);
    settle();
}

void RemoteWindow::click(HWND target)
{
    RECT inside;
    GetClientRect(target, &inside);
    clickAt(target, inside.right / 2, inside.bottom / 2);
}

void RemoteWindow::holdMouseDown(HWND target)
{
    RECT inside;
    GetClientRect(target, &inside);
    POINT at{inside.right / 2, inside.bottom / 2};
    ClientToScreen(target, &at);
    sendMouse(0, at.x, at.y);
    sendMouse(MOUSEEVENTF_LEFTDOWN, at.x, at.y);
    settle();
}

void RemoteWindow::releaseMouse()
{
    POINT at;
    GetCursorPos(&at);
    sendMouse(MOUSEEVENTF_LEFTUP, at.x, at.y);
    settle();
}

void RemoteWindow::type(const std::wstring& text)
{
    for (wchar_t character : text) {
        INPUT keys[2] = {KeyInput(0, character, KEYEVENTF_UNICODE),
                         KeyInput(0, character, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)};
        SendInput(2, keys, sizeof(INPUT));
        // Each key is taken in before the next is sent: what it makes the window say is read when
        // its event arrives, and on a slow machine the next key could change it first.
        WaitForInputIdle(process_.hProcess, PatienceMs);
        settle();
    }
}

void RemoteWindow::press(WORD virtualKey, bool withShift)
{
    std::vector<INPUT> keys;
    if (withShift)
        keys.push_back(KeyInput(VK_SHIFT, 0, 0));
    keys.push_back(KeyInput(virtualKey, 0, 0));
    keys.push_back(KeyInput(virtualKey, 0, KEYEVENTF_KEYUP));
    if (withShift)
        keys.push_back(KeyInput(VK_SHIFT, 0, KEYEVENTF_KEYUP));
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    settle();
}

void RemoteWindow::pressWithControl(WORD virtualKey)
{
    INPUT keys[4] = {KeyInput(VK_CONTROL, 0, 0), KeyInput(virtualKey, 0, 0), KeyInput(virtualKey, 0, KEYEVENTF_KEYUP),
                     KeyInput(VK_CONTROL, 0, KEYEVENTF_KEYUP)};
    SendInput(4, keys, sizeof(INPUT));
    settle();
}

std::wstring RemoteWindow::text(HWND target) const
{
    wchar_t buffer[512] = {};
    SendMessageTimeoutW(target, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL, PatienceMs, nullptr);
    return buffer;
}

std::wstring RemoteWindow::boxBits() const
{
    std::wstring bits;
    for (int k = 0; k < 8; ++k)
        bits += SendMessageW(control(design::Name::Check1, k), BM_GETCHECK, 0, 0) == BST_CHECKED ? L'1' : L'0';
    return bits;
}

HWND RemoteWindow::focus() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(process_.dwThreadId, &info);
    return info.hwndFocus;
}

HWND RemoteWindow::focusWhenItReaches(HWND expected) const
{
    waitUntil([&] { return focus() == expected; });
    return focus();
}

COLORREF RemoteWindow::pixel(HWND target, int x, int y) const
{
    // Paints still pending are made first: the window paints only once its queue is empty.
    RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    POINT at{x, y};
    ClientToScreen(target, &at);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

RECT RemoteWindow::placeInClientArea(HWND target) const
{
    RECT place;
    GetWindowRect(target, &place);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

bool RemoteWindow::waitUntil(const std::function<bool()>& done)
{
    for (DWORD waited = 0; waited < PatienceMs; waited += 20) {
        if (done())
            return true;
        Sleep(20);
    }
    return done();
}

void RemoteWindow::settle()
{
    // Waits while taking in this thread's messages: events the program raised arrive as messages.
    const DWORD until = GetTickCount() + 60;
    for (DWORD now = GetTickCount(); now < until; now = GetTickCount()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, until - now, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
}

int RemoteWindow::closeAndWait()
{
    PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (WaitForSingleObject(process_.hProcess, PatienceMs) != WAIT_OBJECT_0)
        return -1;
    DWORD status = 0;
    GetExitCodeProcess(process_.hProcess, &status);
    return static_cast<int>(status);
}

}  // namespace quadrell::win32_testing
