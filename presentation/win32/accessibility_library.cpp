#include "accessibility_library.h"

#include "dll_search.h"

namespace quadrell::win32 {

namespace {

template <typename Function>
void Resolve(HMODULE module, const char* name, Function& function)
{
    function = module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

AccessibilityLibrary Load()
{
    AccessibilityLibrary library;
    // Objects handed to another process are marshalled by COM, which must run on this thread.
    HRESULT(WINAPI * coInitializeEx)(void*, DWORD) = nullptr;
    Resolve(LoadSystemLibrary(L"ole32.dll"), "CoInitializeEx", coInitializeEx);
    if (!coInitializeEx || FAILED(coInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return library;  // S_FALSE, already started, counts as success
    HMODULE oleacc = LoadSystemLibrary(L"oleacc.dll");
    Resolve(oleacc, "CreateStdAccessibleObject", library.createStdAccessibleObject);
    Resolve(oleacc, "LresultFromObject", library.lresultFromObject);
    Resolve(LoadSystemLibrary(L"oleaut32.dll"), "SysAllocString", library.sysAllocString);
    return library;
}

}  // namespace

const AccessibilityLibrary* LoadAccessibilityLibrary()
{
    static const AccessibilityLibrary library = Load();
    return library.loaded() ? &library : nullptr;
}

}  // namespace quadrell::win32
