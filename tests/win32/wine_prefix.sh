#!/usr/bin/env bash
# Makes the Wine prefix the Windows tests run in, the one in WINEPREFIX (of WINEARCH), once for
# each version of this recipe: a prefix made by another one is made again. The same recipe for
# 64-bit Wine here and 32-bit Wine in the guest, whose image holds a prefix made by it. Every
# Wine command has a time limit: one that hangs would otherwise keep the wine server, and whatever
# waits for it, alive for ever.
set -euo pipefail
recipe="$(sha256sum < "${BASH_SOURCE[0]}")"
[ "$(cat "$WINEPREFIX/.quadrell-ready" 2> /dev/null)" = "$recipe" ] && exit 0

setting() {  # setting KEY NAME TYPE VALUE: one value in the prefix's registry
    timeout -k 5 120 wine reg add "$1" /v "$2" /t "$3" /d "$4" /f > /dev/null 2>&1
}

echo "Creating the Wine prefix $WINEPREFIX"
rm -rf "$WINEPREFIX"
timeout -k 5 400 wineboot --init > /dev/null 2>&1
timeout -k 5 120 wineserver --wait
[ -d "$WINEPREFIX/drive_c/windows/Fonts" ] || { echo "wineboot made no prefix in $WINEPREFIX"; exit 1; }
# Wine finds its own fonts only in the prefix's Fonts folder; without them the classic dialog face
# silently becomes another.
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
# No window manager runs on the virtual displays. Undecorated, Wine draws the window's frame and
# title bar itself, as Windows does, so a screenshot shows the whole window; decorated, it leaves
# them to the missing window manager and the window has no title bar at all.
setting 'HKCU\Software\Wine\X11 Driver' Decorated REG_SZ N
# A crash shows no dialog: it would wait for a click for ever.
setting 'HKCU\Software\Wine\WineDbg' ShowCrashDialog REG_DWORD 0
timeout -k 5 120 wineserver --wait
echo "$recipe" > "$WINEPREFIX/.quadrell-ready"
