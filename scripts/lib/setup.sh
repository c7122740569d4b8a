# Shared by the scripts: installs Debian packages that are missing, configures a build preset,
# and cleans up when a script ends.

# Runs a command as root: directly when we are root, through sudo otherwise.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# ensure_packages PACKAGE...: installs whichever of the packages are not installed yet.
ensure_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root apt-get -o DPkg::Lock::Timeout=900 update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y -q --no-install-recommends "${missing[@]}"
}

# export_source_date_epoch: the time every packed file carries, SOURCE_DATE_EPOCH, is the last
# commit's, unless the caller chose one; so packing the same commit twice gives the same bytes.
export_source_date_epoch() {
    if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
        SOURCE_DATE_EPOCH="$(git log -1 --format=%ct HEAD)"
    fi
    export SOURCE_DATE_EPOCH
}

# What building, running and testing on Linux needs.
LINUX_BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
                      qt6-base-dev qt6-gtk-platformtheme libgl-dev libxcb1-dev fonts-dejavu-core fonts-liberation)

# What cross-building and running the Windows program needs. Only 64-bit Wine: these machines run
# no 32-bit code, and with the 32-bit Wine package present the loader fails.
# Wine's own fonts and the X libraries its display driver loads are only recommended by Debian's
# packages, so they are named here.
WINDOWS_BUILD_PACKAGES=(cmake ninja-build g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
                        googletest wine wine64 fonts-wine libxrender1 libxrandr2 libxi6 libxcursor1
                        libxfixes3 libxinerama1 libxcomposite1 xvfb file icoutils jq)

# The Linux builds users run take Debian's hardening flags, which dpkg-buildflags gives.
LINUX_BUILD_PACKAGES+=(dpkg-dev)
# What the hardening checks need beyond the builds: hardening-check (devscripts) and the
# readelf it reads programs with, and lintian.
HARDENING_CHECK_PACKAGES=(devscripts lintian binutils)

# The number readers' two libraries, used header-only: every build of the behaviour needs them.
NUMBER_LIBRARY_PACKAGES=(libfast-float-dev libfmt-dev)
LINUX_BUILD_PACKAGES+=("${NUMBER_LIBRARY_PACKAGES[@]}")
WINDOWS_BUILD_PACKAGES+=("${NUMBER_LIBRARY_PACKAGES[@]}")

# What building the web page and testing it in real browsers needs: emscripten (with clang 14 and
# libc++), Chromium and Firefox ESR to run it headless, zip for the release, and the number
# libraries. Node's npm installs the pinned browser driver and checker (tests/web).
WEB_BUILD_PACKAGES=(cmake ninja-build emscripten chromium firefox-esr zip "${NUMBER_LIBRARY_PACKAGES[@]}")

# What the checks of each kind need beyond the builds, one list per kind; scripts/check installs a
# preset's (preset_packages), and CI every preset's at once, so that apt reads its lists once.
DISPLAY_CHECK_PACKAGES=(xvfb xdotool imagemagick x11-apps x11-utils)
WAYLAND_CHECK_PACKAGES=(qt6-wayland weston)
SCREEN_READER_CHECK_PACKAGES=(orca speech-dispatcher at-spi2-core dbus)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
PACKAGE_CHECK_PACKAGES=(lintian appstream desktop-file-utils dpkg-dev file)
RELEASE_CHECK_PACKAGES=(diffoscope-minimal icoutils unzip)
WINDOWS_INSTALL_CHECK_PACKAGES=(unzip gcc-mingw-w64-i686)

# preset_packages PRESET: what a workflow preset's builds and checks need, from the lists above
# (and GUEST_HOST_PACKAGES, guest.sh's), one name a line.
preset_packages() {
    local lists
    case "$1" in
        linux) lists="LINUX_BUILD DISPLAY_CHECK WAYLAND_CHECK" ;;
        sanitize) lists="LINUX_BUILD" ;;
        fuzz) lists="FUZZ NUMBER_LIBRARY" ;;
        win32) lists="WINDOWS_BUILD" ;;
        win64) lists="WINDOWS_BUILD DISPLAY_CHECK" ;;
        win32-guest) lists="WINDOWS_BUILD GUEST_HOST" ;;
        web) lists="LINUX_BUILD WEB_BUILD" ;;
        screen-reader) lists="LINUX_BUILD DISPLAY_CHECK SCREEN_READER_CHECK WEB_BUILD" ;;
        release) lists="LINUX_BUILD WINDOWS_BUILD WEB_BUILD RELEASE RELEASE_CHECK PACKAGE_CHECK DISPLAY_CHECK
                        HARDENING_CHECK WINDOWS_INSTALL_CHECK GUEST_HOST" ;;
        *) echo "No packages are listed for the preset $1" >&2; return 1 ;;
    esac
    local list
    for list in $lists; do
        list="${list}_PACKAGES[@]"
        printf '%s\n' "${!list}"
    done
    # The web tests' npm: Node's own where it has one (NodeSource's nodejs), Debian's otherwise.
    [[ " $lists " == *" WEB_BUILD "* ]] && ! command -v npm > /dev/null && echo npm
    return 0
}

# configure PRESET: configures one of the builds CMakePresets.json describes, in the folder it
# names (build, build-win64, ...). Every script that shares a preset shares its build.
configure() {
    cmake --preset "$1" > /dev/null
}

# at_exit COMMAND: runs COMMAND when the script (or subshell) ends; the last registered runs first.
QUADRELL_AT_EXIT=()
at_exit() {
    QUADRELL_AT_EXIT=("$1" "${QUADRELL_AT_EXIT[@]}")
    # A clean-up that fails neither stops the others nor changes the script's exit status.
    trap 'status=$?; for command in "${QUADRELL_AT_EXIT[@]}"; do eval "$command" || true; done; exit $status' EXIT
}

# build_needed DIR TARGET...: whether building the targets in DIR would do any work (a Ninja
# dry run), so that a script can say it is building, or stay quiet when all is up to date.
build_needed() {
    local dir=$1
    shift
    local plan
    plan=$(cmake --build "$dir" --target "$@" -- -n)
    [[ $plan == *$'\n['* || $plan == '['* ]]
}
