/* A stand-in for a Windows binary that ends at its first line: what it loads, the system loaded
 * before any of the binary's own code ran. Built twice, each with the same imports as the binary
 * it stands for, so that the loader does for it what it does for that binary: as quadrell.exe
 * (KERNEL32, USER32, GDI32, msvcrt) and, with LIKE_INSTALLER, as NSIS's installer stub (also
 * ADVAPI32, SHELL32, ole32 and COMCTL32, taken through its manifest from the side-by-side store). */
#include <windows.h>
#ifdef LIKE_INSTALLER
#include <commctrl.h>
#include <shlobj.h>
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)previous, (void)commandLine, (void)show;
    if (instance == NULL) { /* never: it only makes the imports */
        GetSystemMetrics(SM_CXSCREEN);
        GetStockObject(WHITE_BRUSH);
#ifdef LIKE_INSTALLER
        RegCloseKey(HKEY_CURRENT_USER);
        SHGetSpecialFolderLocation(NULL, 0, NULL);
        CoUninitialize();
        InitCommonControls();
#endif
    }
    return 0;
}
