# Shared by the scripts: installs Debian packages that are missing, and configures the build.

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

# The one Linux build every script shares, so none of them rebuilds what another built.
configure_build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUADRELL_BENCH=ON > /dev/null
}

# configure_windows_build 32|64: the cross-build for 32-bit or 64-bit Windows, in build-win32 or
# build-win64. Both build the test suites and the start-up benchmark; the 64-bit one, which Wine
# runs on this machine, also registers the tests that run under Wine. The 32-bit one registers only
# the check of its executable: scripts/test-windows-32 runs its suites.
configure_windows_build() {
    if [ "$1" = 64 ]; then
        cmake -S . -B build-win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
            -DCMAKE_BUILD_TYPE=Release -DQUADRELL_QT=OFF -DQUADRELL_BENCH=ON -DCMAKE_CROSSCOMPILING_EMULATOR=wine \
            > /dev/null
    else
        cmake -S . -B build-win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
            -DCMAKE_BUILD_TYPE=Release -DQUADRELL_QT=OFF -DQUADRELL_BENCH=ON > /dev/null
    fi
}

# The optimised build the benchmarks measure.
configure_bench_build() {
    cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUADRELL_BENCH=ON -DQUADRELL_QT=ON \
        -DQUADRELL_TESTS=ON > /dev/null
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
