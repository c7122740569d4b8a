# Shared by the scripts: installs Debian packages that are missing, and nothing else.

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
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# What building and testing on Linux needs.
LINUX_BUILD_PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev
                      qt6-base-dev libgl-dev fonts-dejavu-core)
