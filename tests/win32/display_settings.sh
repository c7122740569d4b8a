#!/usr/bin/env bash
# Runs a command under Wine with other display settings than the standard ones, in a prefix of
# their own, so that the other tests keep the standard light scheme at 96 dots per inch.
#   display_settings.sh PREFIX white-on-black|dpi-N COMMAND...
# PREFIX is made once as a copy of the prefix in WINEPREFIX.
set -euo pipefail
prefix="$1"
setting="$2"
shift 2
if [ ! -d "$prefix" ]; then
    wineserver --wait
    cp -a "$WINEPREFIX" "$prefix"
fi
export WINEPREFIX="$prefix"

colours='HKCU\Control Panel\Colors'
case "$setting" in
white-on-black)
    for name in Window ButtonFace ButtonLight ButtonDkShadow Menu InfoWindow Scrollbar; do
        wine reg add "$colours" /v "$name" /t REG_SZ /d "0 0 0" /f
    done
    for name in WindowText ButtonText MenuText InfoText ButtonHilight TitleText HilightText; do
        wine reg add "$colours" /v "$name" /t REG_SZ /d "255 255 255" /f
    done
    wine reg add "$colours" /v Hilight /t REG_SZ /d "0 128 255" /f
    wine reg add "$colours" /v ButtonShadow /t REG_SZ /d "128 128 128" /f
    wine reg add "$colours" /v GrayText /t REG_SZ /d "0 255 0" /f
    ;;
dpi-*)
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${setting#dpi-}" /f
    ;;
*)
    echo "unknown setting: $setting" >&2
    exit 2
    ;;
esac > /dev/null 2>&1
# Wine reads these when its server starts.
wineserver -k 2> /dev/null || true
wineserver --wait
status=0
"$@" || status=$?
wineserver -k 2> /dev/null || true
exit $status
