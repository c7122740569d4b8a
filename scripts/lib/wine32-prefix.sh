# A pure 32-bit Wine prefix ready for the GUI tests; used in the guest and, where 32-bit Wine runs
# on the machine itself, on the host. Every Wine command has a time limit: a process that hangs
# would otherwise keep the wine server, and whatever waits for it, alive for ever.

# wine32_environment DIR: exports the prefix and quiets Wine.
wine32_environment() {
    export WINEPREFIX="$1" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}

# prepare_wine32_prefix DIR: creates the prefix once.
prepare_wine32_prefix() {
    wine32_environment "$1"
    [ -f "$WINEPREFIX/.quadrell-ready" ] && return 0
    timeout -k 5 400 wineboot --init > /dev/null 2>&1
    timeout -k 5 120 wineserver --wait
    [ -d "$WINEPREFIX/drive_c/windows/Fonts" ] || { echo "wineboot made no prefix in $WINEPREFIX"; return 1; }
    # Wine finds its own fonts only in the prefix's Fonts folder; without them the classic
    # dialog face silently becomes another.
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    # No window manager runs, and Wine draws no frames of its own. A crash shows no dialog: it
    # would wait for a click for ever.
    timeout -k 5 120 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f > /dev/null 2>&1
    timeout -k 5 120 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f > /dev/null 2>&1
    timeout -k 5 120 wineserver --wait
    touch "$WINEPREFIX/.quadrell-ready"
}
