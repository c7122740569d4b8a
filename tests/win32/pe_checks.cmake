# Reading a Windows binary's headers and imports without running it, and the checks made from
# them; include() it in a CMake script:
#   pe_headers(HEADERS FILE)                 what objdump -p prints of FILE
#   pe_header_field(OUT HEADERS FIELD)       one header field's value, e.g. MajorOSystemVersion
#   pe_imported_dlls(OUT HEADERS)            the DLLs imported, in lower case, sorted
#   pe_imported_functions(OUT HEADERS)       the functions imported by name, sorted
#   pe_dll_characteristics(OUT HEADERS)      the DLL characteristics' names, e.g. NX_COMPAT
#   pe_list_text(OUT LIST)                   LIST for a message: "a b c", or "none"
#   pe_check(DESCRIPTION CONDITION...)       prints "ok:" or "FAILED:" and the description
#   pe_check_windows7(FILE)                  the checks that FILE can start on Windows 7
#   pe_checks_done(SUBJECT)                  fails the script, listing the failed checks, if any
include_guard(GLOBAL)

# x86_64-w64-mingw32-objdump reads PE32 and PE32+ alike.
find_program(PE_OBJDUMP x86_64-w64-mingw32-objdump REQUIRED)

function(pe_headers out file)
    if(NOT EXISTS "${file}")
        message(FATAL_ERROR "FAILED: ${file} does not exist")
    endif()
    execute_process(COMMAND ${PE_OBJDUMP} -p ${file} OUTPUT_VARIABLE text COMMAND_ERROR_IS_FATAL ANY)
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(pe_header_field out headers field)
    string(REGEX MATCH "\n${field}[ \t]+([^\n]*)" line "${headers}")
    string(STRIP "${CMAKE_MATCH_1}" value)
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

# Each import table starts "\tDLL Name: X", then "\tvma: ..." and one row "\tADDRESS\t HINT  NAME" a
# function; a blank line ends it.
function(pe_imported_dlls out headers)
    string(REGEX MATCHALL "\tDLL Name: [^\n]+" lines "${headers}")
    list(TRANSFORM lines REPLACE "\tDLL Name: " "")
    list(TRANSFORM lines TOLOWER)
    list(REMOVE_DUPLICATES lines)
    list(SORT lines)
    set(${out} "${lines}" PARENT_SCOPE)
endfunction()

function(pe_imported_functions out headers)
    string(REGEX MATCHALL "\tDLL Name: [^\n]+\n\tvma:[^\n]*\n(\t[^\n]*\n)*" tables "${headers}")
    set(functions)
    foreach(table IN LISTS tables)
        string(REGEX MATCHALL "\n\t[0-9a-f]+\t +[0-9]+  [A-Za-z_][^ \n]*" rows "${table}")
        list(TRANSFORM rows REPLACE ".*  " "")
        list(APPEND functions ${rows})
    endforeach()
    list(REMOVE_DUPLICATES functions)
    list(SORT functions)
    set(${out} "${functions}" PARENT_SCOPE)
endfunction()

# The names follow the field's line, each on a line of its own indented with tabs.
function(pe_dll_characteristics out headers)
    string(REGEX MATCH "\nDllCharacteristics[^\n]*\n(\t\t+[A-Z_]+\n)*" block "${headers}")
    string(REGEX MATCHALL "\t[A-Z_]+\n" flags "${block}")
    list(TRANSFORM flags STRIP)
    set(${out} "${flags}" PARENT_SCOPE)
endfunction()

function(pe_list_text out)
    set(text none)
    if(ARGN)
        list(JOIN ARGN " " text)
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# A macro, so that the condition reads the caller's variables and the failure lands in the
# caller's pe_failed.
macro(pe_check description)
    if(${ARGN})
        message("ok: ${description}")
    else()
        message("FAILED: ${description}")
        string(REPLACE ";" " " _pe_failure "${description}")
        list(APPEND pe_failed "${_pe_failure}")
    endif()
endmacro()

macro(pe_checks_done subject)
    if(pe_failed)
        list(LENGTH pe_failed _pe_count)
        list(JOIN pe_failed "\n  " _pe_list)
        message(FATAL_ERROR "${subject}: ${_pe_count} checks failed:\n  ${_pe_list}")
    endif()
    message("${subject}: all checks passed")
endmacro()

# Windows 7 (version 6.1) is not at hand to try, so the header must ask for no later system, every
# DLL imported must come with Windows 7, and none of the functions later systems added that
# toolchains and their runtimes are known to pull in may be imported: each is from Windows 8 or
# later, or (the DLL search functions) from an update that not every Windows 7 has.
set(PE_LATER_FUNCTIONS GetSystemTimePreciseAsFileTime GetCurrentThreadStackLimits SetThreadDescription
    GetThreadDescription CreateFile2 GetOverlappedResultEx PrefetchVirtualMemory WaitOnAddress
    WakeByAddressSingle WakeByAddressAll AppPolicyGetProcessTerminationMethod GetPackageFamilyName
    GetCurrentPackageId DiscardVirtualMemory OfferVirtualMemory VirtualAlloc2 MapViewOfFile3
    QueryUnbiasedInterruptTimePrecise GetDpiForWindow GetDpiForSystem GetSystemMetricsForDpi
    SystemParametersInfoForDpi AdjustWindowRectExForDpi SetProcessDpiAwarenessContext
    SetThreadDpiAwarenessContext GetThreadDpiAwarenessContext EnableNonClientDpiScaling
    GetAwarenessFromDpiAwarenessContext GetDpiForMonitor SetProcessDpiAwareness
    SetDefaultDllDirectories AddDllDirectory)
# The DLLs of a Windows 7 installation that such a program may import.
set(PE_WINDOWS7_DLLS kernel32.dll user32.dll gdi32.dll msvcrt.dll advapi32.dll comctl32.dll comdlg32.dll
    shell32.dll shlwapi.dll ole32.dll oleaut32.dll oleacc.dll uxtheme.dll version.dll)

function(pe_check_windows7 file)
    pe_headers(headers ${file})
    foreach(field OSystem Subsystem)
        pe_header_field(major "${headers}" Major${field}Version)
        pe_header_field(minor "${headers}" Minor${field}Version)
        set(version "${major}.${minor}")
        pe_check("${file}: the header's ${field} version, ${version}, is at most Windows 7's 6.1"
                 version MATCHES "^[0-9]+[.][0-9]+$" AND version VERSION_LESS_EQUAL 6.1)
    endforeach()

    pe_imported_dlls(dlls "${headers}")
    pe_imported_functions(functions "${headers}")
    list(LENGTH functions count)
    pe_list_text(dlls_text ${dlls})
    pe_check("${file}: imports ${count} functions by name from ${dlls_text}" dlls AND functions)
    set(not_on_7 ${dlls})
    list(REMOVE_ITEM not_on_7 ${PE_WINDOWS7_DLLS})
    pe_list_text(text ${not_on_7})
    pe_check("${file}: imports only DLLs that come with Windows 7 (others: ${text})" NOT not_on_7)
    list(JOIN PE_LATER_FUNCTIONS "|" any_later)
    set(later ${functions})
    list(FILTER later INCLUDE REGEX "^(${any_later})$")
    pe_list_text(text ${later})
    pe_check("${file}: imports none of the functions Windows 7 lacks (imported: ${text})" NOT later)
    set(pe_failed "${pe_failed}" PARENT_SCOPE)
endfunction()
