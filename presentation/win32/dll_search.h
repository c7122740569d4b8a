#pragma once

#include <windows.h>

namespace quadrell::win32 {

// Makes the system folder the only place the loader takes DLLs from, for the whole process: a
// DLL planted beside the program (in a downloads folder, say) is never loaded, neither by the
// program nor by the system's own DLLs on its behalf. Called first thing, before any window, font
// or accessibility object exists. Windows 7 without update KB2533623 lacks the function, so it is
// looked up at run time; there the current folder at least leaves the search, and
// LoadSystemLibrary still names its DLLs by their full path.
void RestrictDllSearchToSystem();

// Loads a DLL of the system folder by a route that never looks elsewhere, whether or not
// RestrictDllSearchToSystem ran: the search limited to the system folder, or, where the system
// lacks that flag, the DLL's full path in the system folder. nullptr when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* name);

}  // namespace quadrell::win32
