// Starts Quadrell, asks it from outside for the accessible object of its window and of each
// control, as a screen reader does first (WM_GETOBJECT), and closes it: every DLL the program
// needs to answer a screen reader is then loaded. The planted-DLL check (windows_planted_dlls) runs it with stand-in
// DLLs planted beside the program.
//   accessibility_probe.exe PATH\quadrell.exe
// Says how many windows answered with an object of their own; succeeds when all of them did and
// the program ended with status 0.
#include <cstdio>
#include <vector>

#include <windows.h>
#include <oleacc.h>

#include "remote_window.h"

namespace {

BOOL CALLBACK CollectChild(HWND child, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(child);
    return TRUE;
}

// Whether the window answers with an object of its own, which is then taken in and released as
// a screen reader would, so that the program marshals it for real.
bool AnswersWithOwnObject(HWND window)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT), SMTO_ABORTIFHUNG, 30000,
                             &result) ||
        static_cast<LRESULT>(result) <= 0)
        return false;
    IAccessible* object = nullptr;
    if (FAILED(ObjectFromLresult(static_cast<LRESULT>(result), __uuidof(IAccessible), 0,
                                 reinterpret_cast<void**>(&object))))
        return false;
    object->Release();
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: accessibility_probe PATH\\TO\\quadrell.exe\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    quadrell::win32_testing::RemoteWindow program(argv[1]);
    if (!program.found()) {
        std::printf("the program showed no window\n");
        return 1;
    }
    std::vector<HWND> windows{program.window()};
    EnumChildWindows(program.window(), CollectChild, reinterpret_cast<LPARAM>(&windows));
    size_t answered = 0;
    for (HWND window : windows)
        answered += AnswersWithOwnObject(window) ? 1 : 0;
    const int status = program.closeAndWait();
    std::printf("%zu of %zu windows answered WM_GETOBJECT with an object of their own; exit status %d\n", answered,
                windows.size(), status);
    CoUninitialize();
    return answered == windows.size() && status == 0 ? 0 : 1;
}
