// A second yardstick: a plain Win32 window holding the same fifteen native controls in the same
// places, with no fonts, colours, icon or behaviour, to tell the controls' own cost from ours.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void AddControl(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int x, int y, int width,
                int height)
{
    CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent, nullptr, nullptr,
                    nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"MinimalControls";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"MinimalControls", L"Minimal controls", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 360, 240, nullptr, nullptr, instance, nullptr);
    const wchar_t* digits[] = {L"0", L"1", L"2", L"3", L"4", L"5", L"6", L"7"};
    for (int k = 0; k < 8; ++k)
        AddControl(window, L"BUTTON", digits[k], BS_AUTOCHECKBOX | WS_TABSTOP, 16 + 40 * k, 80, 33, 17);
    AddControl(window, L"STATIC", L"00000000", SS_CENTER, 64, 128, 113, 25);
    AddControl(window, L"EDIT", L"", ES_CENTER | WS_BORDER | WS_TABSTOP, 272, 136, 33, 19);
    AddControl(window, L"EDIT", L"", ES_CENTER | WS_BORDER | WS_TABSTOP, 264, 22, 33, 19);
    AddControl(window, L"STATIC", L"Split", SS_LEFT, 232, 24, 25, 17);
    AddControl(window, L"BUTTON", L"Cancella", BS_PUSHBUTTON | WS_TABSTOP, 48, 32, 57, 17);
    AddControl(window, L"STATIC", L"", SS_CENTER, 264, 176, 49, 25);
    AddControl(window, L"STATIC", L"ASCII:", SS_CENTER, 208, 160, 49, 25);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
