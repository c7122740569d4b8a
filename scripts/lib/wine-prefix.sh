# The Wine prefix the Windows programs run in, one recipe for both: 64-bit Wine on this machine
# and 32-bit Wine in the guest (where it is made once, when the guest image is built). Every Wine
# command has a time limit: a process that hangs would otherwise keep the wine server, and
# whatever waits for it, alive for ever.

# wine_environment DIR 32|64: exports the prefix and its architecture, and quiets Wine.
wine_environment() {
    export WINEPREFIX="$(realpath -m "$1")" WINEARCH="win$2" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}

# prepare_wine_prefix DIR 32|64: exports the prefix's environment and creates the prefix, once
# for each version of this recipe (a prefix made by another one is made again).
prepare_wine_prefix() {
    local recipe
    recipe="$(sha256sum < "${BASH_SOURCE[0]}")"
    wine_environment "$1" "$2"
    [ "$(cat "$WINEPREFIX/.quadrell-ready" 2> /dev/null)" = "$recipe" ] && return 0
    echo "Creating the $2-bit Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    timeout -k 5 400 wineboot --init > /dev/null 2>&1
    timeout -k 5 120 wineserver --wait
    [ -d "$WINEPREFIX/drive_c/windows/Fonts" ] || { echo "wineboot made no prefix in $WINEPREFIX"; return 1; }
    # Wine finds its own fonts only in the prefix's Fonts folder; without them the classic
    # dialog face silently becomes another.
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    # No window manager runs on the virtual displays. Undecorated, Wine draws the window's frame and
    # title bar itself, as Windows does, so a screenshot shows the whole window; decorated, it
    # leaves them to the missing window manager and the window has no title bar at all.
    wine_setting 'HKCU\Software\Wine\X11 Driver' Decorated REG_SZ N
    # A crash shows no dialog: it would wait for a click for ever.
    wine_setting 'HKCU\Software\Wine\WineDbg' ShowCrashDialog REG_DWORD 0
    timeout -k 5 120 wineserver --wait
    echo "$recipe" > "$WINEPREFIX/.quadrell-ready"
}

# wine_setting KEY NAME TYPE VALUE: one value in the prefix's registry.
wine_setting() {
    timeout -k 5 120 wine reg add "$1" /v "$2" /t "$3" /d "$4" /f > /dev/null 2>&1
}

# stop_wine: ends every Wine process of the prefix and waits for the server to go.
stop_wine() {
    timeout -k 5 30 wineserver -k > /dev/null 2>&1
    timeout -k 5 30 wineserver -w > /dev/null 2>&1
    return 0
}
