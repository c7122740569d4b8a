# Shared by the Windows scripts: a Wine prefix of the project's own, ready for GUI tests.

# What cross-building and running the Windows program needs. Only 64-bit Wine: these machines run
# no 32-bit code, and with the 32-bit Wine package present the loader fails.
# Wine's own fonts and the X libraries its display driver loads are only recommended by Debian's
# packages, so they are named here.
WINDOWS_BUILD_PACKAGES=(cmake ninja-build g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
                        googletest wine wine64 fonts-wine libxrender1 libxrandr2 libxi6 libxcursor1
                        libxfixes3 libxinerama1 libxcomposite1 xvfb file icoutils)

# prepare_wine_prefix DIR: creates the prefix once; exports WINEPREFIX and quiets Wine.
prepare_wine_prefix() {
    export WINEPREFIX="$(realpath -m "$1")" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/.quadrell-ready" ]; then
        echo "Creating the Wine prefix (about 15 s)"
        wineboot --init > /dev/null 2>&1 || true
        wineserver --wait
        # Wine finds its own fonts only in the prefix's Fonts folder; without them the classic
        # dialog face silently becomes another.
        cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
        # With no window manager, Wine draws its own title bar only when told to.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d Y /f > /dev/null 2>&1
        wineserver --wait
        touch "$WINEPREFIX/.quadrell-ready"
    fi
}

# start_xvfb: starts a virtual display, exports DISPLAY, and stops it when the script ends.
start_xvfb() {
    exec {display_fd}<> <(:)
    Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2> /dev/null || true; wineserver -k 2> /dev/null || true' EXIT
    read -r -t 10 display_number <&"$display_fd"
    export DISPLAY=":$display_number"
}
