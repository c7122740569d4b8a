#include "desktop_scheme.h"

#include <windows.h>

namespace quadrell::win32 {

design::DesktopScheme ReadDesktopScheme()
{
    design::DesktopScheme scheme{};
    // Dialog forms and the classic labels and check boxes on them paint the window text on the
    // button face; entries, buttons and the selection have their own pairs.
    scheme.system = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW),
                     GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT),
                     GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT)};
    HIGHCONTRASTW highContrast{};
    highContrast.cbSize = sizeof highContrast;
    scheme.highContrast = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof highContrast, &highContrast, 0)
                       && (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    return scheme;
}

}  // namespace quadrell::win32
