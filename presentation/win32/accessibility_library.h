#pragma once

#include <windows.h>
#include <oleacc.h>

namespace quadrell::win32 {

// The system's accessibility functions, loaded on the first request from a screen reader: a
// window nobody asks about never loads oleacc, ole32 or oleaut32, and the executable imports
// none of them.
struct AccessibilityLibrary {
    decltype(&CreateStdAccessibleObject) createStdAccessibleObject = nullptr;
    decltype(&LresultFromObject) lresultFromObject = nullptr;
    decltype(&SysAllocString) sysAllocString = nullptr;

    bool loaded() const { return createStdAccessibleObject && lresultFromObject && sysAllocString; }
};

// Loads the library once, with COM started on the calling (user-interface) thread, which must
// be the thread that runs the message loop; nullptr when the system lacks it.
const AccessibilityLibrary* LoadAccessibilityLibrary();

}  // namespace quadrell::win32
