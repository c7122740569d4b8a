#include "dll_search.h"

#include <string>

namespace quadrell::win32 {

namespace {

// The values from Windows 8's headers, which systems without KB2533623 do not understand.
constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

std::wstring SystemFolderPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::wstring(folder, length) + L'\\' + name;
}

}  // namespace

void RestrictDllSearchToSystem()
{
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    // kernel32 is loaded in every process, so looking it up loads nothing.
    const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel32, "SetDefaultDllDirectories")));
    if (setDefaultDllDirectories && setDefaultDllDirectories(kSearchSystem32))
        return;
    // The older systems' own remedy: the current folder leaves the search order.
    SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t* name)
{
    if (const HMODULE module = LoadLibraryExW(name, nullptr, kSearchSystem32))
        return module;
    // A system that does not know the flag refuses it as an invalid parameter; a DLL that is
    // simply missing is missing from the system folder too.
    if (GetLastError() != ERROR_INVALID_PARAMETER)
        return nullptr;
    const std::wstring path = SystemFolderPath(name);
    // With a full path, the DLL's own dependencies are looked for in its folder first.
    return path.empty() ? nullptr : LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace quadrell::win32
