#!/usr/bin/env bash
# Checks a built quadrell.exe without running it: a 32-bit (or, with "64", 64-bit) Windows GUI
# program that imports only system DLLs, can start on Windows 7, and carries the icon and the Italian
# version resource with its publisher and licence.
#   check_executable.sh PATH/quadrell.exe [32|64]
set -euo pipefail
exe="$1"
bits="${2:-32}"
failures=0
check() {  # check DESCRIPTION COMMAND...
    if "${@:2}" > /dev/null 2>&1; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

kind=$(file -b "$exe")
if [ "$bits" = 32 ]; then
    check "PE32 GUI executable for Intel 80386" grep -q "^PE32 executable (GUI) Intel 80386" <<< "$kind"
else
    check "PE32+ GUI executable for x86-64" grep -q "^PE32+ executable (GUI) x86-64" <<< "$kind"
fi

objdump=$([ "$bits" = 32 ] && echo i686-w64-mingw32-objdump || echo x86_64-w64-mingw32-objdump)
imports=$($objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '[:upper:]' '[:lower:]' | sort -u | tr '\n' ' ')
echo "imports: $imports"
system_dlls=" kernel32.dll user32.dll gdi32.dll msvcrt.dll advapi32.dll comctl32.dll "
for dll in $imports; do
    check "$dll is a system DLL" grep -q " $dll " <<< "$system_dlls"
done

resources=$(wrestool -l "$exe")
check "an icon group" grep -q -- "--type=14" <<< "$resources"
check "a version resource in Italian (0x0410)" grep -q -- "--type=16 --name=1 --language=1040" <<< "$resources"

icons=$(wrestool -x --type=14 "$exe" | file -b -)
check "a 16 x 16 icon image" grep -q "16x16" <<< "$icons"
check "a 32 x 32 icon image" grep -q "32x32" <<< "$icons"

version=$(wrestool -x --raw --type=16 "$exe" | strings -el)
check 'block "041004B0" (Italian, Unicode)' grep -qx "041004B0" <<< "$version"
check 'FileVersion "1.00"' grep -qzP "FileVersion\n1\.00\n" <<< "$version"
check 'ProductVersion "1.00"' grep -qzP "ProductVersion\n1\.00\n" <<< "$version"
check 'CompanyName "The Quadrell developers"' grep -qzP "CompanyName\nThe Quadrell developers\n" <<< "$version"
check 'LegalCopyright: The Quadrell developers, MIT licence' grep -qzP "LegalCopyright\nCopyright \\(C\\) 2026 The Quadrell developers\\. Licenza MIT\\.\n" <<< "$version"
check 'translation Italian 0x0410, code page 1200' grep -q "10 04 b0 04" <(wrestool -x --raw --type=16 "$exe" | tail -c 4 | od -An -tx1)

check "starts on Windows 7 (header and imports)" bash "$(dirname "$0")/check_windows7.sh" "$exe"

if [ "$failures" -gt 0 ]; then echo "$failures checks failed"; exit 1; fi
echo "all checks passed"
