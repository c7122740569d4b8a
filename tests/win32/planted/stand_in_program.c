/* A stand-in for the program that ends at its first line: what it loads, the system loaded before
 * any program's own code ran. It imports the same system DLLs as quadrell.exe, so that the
 * loader does for it what it does for the program. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)previous, (void)commandLine, (void)show;
    if (instance == NULL) {  /* never: it only makes the USER32 and GDI32 imports */
        GetSystemMetrics(SM_CXSCREEN);
        GetStockObject(WHITE_BRUSH);
    }
    return 0;
}
