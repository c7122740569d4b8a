#!/usr/bin/env bash
# Checks the Debian package the way a distribution and then a user meet it: lintian (any error or
# warning fails), the AppStream metainfo and the desktop entry taken from the package validated,
# the package installed, /usr/bin/quadrell opened on a virtual X display and closed, the package
# removed again.
#   debian_package.sh DEB WINDOW_PROBE    (a CTest test of the linux build, run in the source tree)
set -euo pipefail
deb="$(realpath "$1")" probe="$2"
source scripts/lib/setup.sh
source scripts/lib/display.sh
echo "Package: $deb, $(stat -c %s "$deb") bytes"

scratch=$(mktemp -d)
installed=no
at_exit 'rm -rf "$scratch"'
purge() { as_root env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q quadrell > /dev/null; }
at_exit '[ "$installed" = no ] || purge'

echo "lintian:"
lintian_status=0
lintian --info --fail-on error,warning "$deb" > "$scratch/lintian" 2> >(grep -v "running with root privileges" >&2) || lintian_status=$?
if [ -s "$scratch/lintian" ]; then cat "$scratch/lintian"; else echo "(no tags)"; fi
[ "$lintian_status" -eq 0 ] || { echo "FAIL: lintian reports errors or warnings (status $lintian_status)"; exit 1; }

dpkg-deb -x "$deb" "$scratch/tree"
echo "appstreamcli validate:"
appstreamcli validate --no-net "$scratch"/tree/usr/share/metainfo/*.metainfo.xml
echo "desktop-file-validate:"
desktop-file-validate "$scratch"/tree/usr/share/applications/*.desktop > "$scratch/desktop" 2>&1 || true
cat "$scratch/desktop"
[ ! -s "$scratch/desktop" ] || { echo "FAIL: the desktop entry has errors, warnings or hints"; exit 1; }
echo "(no remarks)"

echo "Installing $deb:"
installed=yes
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" > "$scratch/apt" || { cat "$scratch/apt"; exit 1; }
dpkg-query -W -f='${Package} ${Version} ${Status}\n' quadrell
start_virtual_display
echo "/usr/bin/quadrell on display $DISPLAY:"
"$probe" --title Quadrell -- /usr/bin/quadrell

echo "Removing the package:"
purge
installed=no
if dpkg-query -W -f='${Status}' quadrell 2> /dev/null | grep -q "install ok installed" || [ -e /usr/bin/quadrell ]; then
    echo "FAIL: quadrell is still installed"; exit 1
fi
echo "removed"
