#!/usr/bin/env bash
# Checks from its header and imports that a 32-bit or 64-bit Windows executable can start on
# Windows 7 (version 6.1), which is not at hand to try: the header asks for no later system, every
# DLL it imports comes with Windows 7, and it imports none of the functions later systems added
# that toolchains and their runtimes are known to pull in.
#   check_windows7.sh FILE.exe
set -euo pipefail
exe="$1"

# Functions Windows 7 lacks, each from Windows 8 or later, or (the DLL search functions) from an
# update that not every Windows 7 has.
later_functions=" GetSystemTimePreciseAsFileTime GetCurrentThreadStackLimits SetThreadDescription
 GetThreadDescription CreateFile2 GetOverlappedResultEx PrefetchVirtualMemory WaitOnAddress
 WakeByAddressSingle WakeByAddressAll AppPolicyGetProcessTerminationMethod GetPackageFamilyName
 GetCurrentPackageId DiscardVirtualMemory OfferVirtualMemory VirtualAlloc2 MapViewOfFile3
 QueryUnbiasedInterruptTimePrecise GetDpiForWindow GetDpiForSystem GetSystemMetricsForDpi
 SystemParametersInfoForDpi AdjustWindowRectExForDpi SetProcessDpiAwarenessContext
 SetThreadDpiAwarenessContext GetThreadDpiAwarenessContext EnableNonClientDpiScaling
 GetAwarenessFromDpiAwarenessContext GetDpiForMonitor SetProcessDpiAwareness
 SetDefaultDllDirectories AddDllDirectory "
later_functions=$(tr '\n' ' ' <<< "$later_functions")
# The DLLs of a Windows 7 installation that such a program may import.
windows7_dlls=" kernel32.dll user32.dll gdi32.dll msvcrt.dll advapi32.dll comctl32.dll comdlg32.dll
 shell32.dll shlwapi.dll ole32.dll oleaut32.dll oleacc.dll uxtheme.dll version.dll "
windows7_dlls=$(tr '\n' ' ' <<< "$windows7_dlls")

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

header=$(x86_64-w64-mingw32-objdump -p "$exe")
for field in OSystem Subsystem; do
    major=$(awk -v f="Major${field}Version" '$1 == f { print $2 }' <<< "$header")
    minor=$(awk -v f="Minor${field}Version" '$1 == f { print $2 }' <<< "$header")
    [ -n "$major" ] || { fail "no $field version in the header"; continue; }
    if [ "$major" -gt 6 ] || { [ "$major" -eq 6 ] && [ "$minor" -gt 1 ]; }; then
        fail "the header's $field version is $major.$minor, later than Windows 7's 6.1"
    else
        echo "ok: $field version $major.$minor"
    fi
done

# "DLL Name: X" starts each import table; its functions follow as "address hint name".
imports=$(awk '/DLL Name:/ { dll = tolower($3); print dll; next }
               dll && /^\t[0-9a-f]+\t +[0-9]+  [A-Za-z_]/ { print dll ":" $3 }
               /^$/ && dll { dll = "" }' <<< "$header")
[ -n "$imports" ] || fail "no imports found"
for dll in $(grep -v : <<< "$imports" | sort -u); do
    grep -q " $dll " <<< "$windows7_dlls" || fail "imports $dll, which Windows 7 does not have"
done
for function in $(grep : <<< "$imports" | cut -d: -f2 | sort -u); do
    if grep -q " $function " <<< "$later_functions"; then fail "imports $function, which Windows 7 does not have"; fi
done
echo "imports: $(grep -c : <<< "$imports") functions from $(grep -v : <<< "$imports" | sort -u | tr '\n' ' ')"
[ "$failures" -eq 0 ] || { echo "$failures checks failed: $exe may not start on Windows 7"; exit 1; }
echo "ok: nothing in the header or the imports needs a system later than Windows 7"
