#!/usr/bin/env bash
# Runs a command under Wine with other display settings than the standard ones, in a prefix of
# their own, so that the other tests keep the standard light scheme at 96 dots per inch.
#   display_settings.sh PREFIX white-on-black|dpi-N|message-font-N COMMAND...
# dpi-N sets the scale (96 is 100 %, 120 is 125 % ...), message-font-N the desktop's message font,
# in which dialogs show their texts, to Tahoma at N points, as Windows stores it.
# PREFIX is made once as a copy of the prefix in WINEPREFIX.
set -euo pipefail
prefix="$1"
setting="$2"
shift 2

# copy_prefix FROM TO: a prefix is hundreds of megabytes, mostly DLLs and fonts that Wine only
# reads, so on one file system those are linked and only the rest (registry, settings, user
# folders) is copied; a run then changes nothing of the prefix it came from. The guest runs three
# such prefixes in a little room.
copy_prefix() {
    if cp -al "$1" "$2" 2> /dev/null; then
        find "$2" -type f -not -path '*/system32/*' -not -path '*/syswow64/*' -not -path '*/Fonts/*' \
            -exec sh -c 'for f; do cp -p "$f" "$f.own" && mv "$f.own" "$f"; done' copy {} +
    else
        rm -rf "$2"
        cp -a "$1" "$2"
    fi
}

if [ ! -d "$prefix" ]; then
    mkdir -p "$(dirname "$prefix")"
    wineserver --wait
    copy_prefix "$WINEPREFIX" "$prefix"
fi
export WINEPREFIX="$prefix"

# A 32-bit number in the registry's binary form, little-endian hex.
le32() {
    local v=$(($1 & 0xffffffff))
    printf '%02x%02x%02x%02x' $((v & 255)) $((v >> 8 & 255)) $((v >> 16 & 255)) $((v >> 24 & 255))
}

# The LOGFONTW of Tahoma at $1 points, at 96 dots per inch, regular, as hex.
logfont_hex() {
    local face=Tahoma i
    le32 $((-($1 * 96 + 36) / 72))
    le32 0; le32 0; le32 0; le32 400
    printf '0000000100000000'  # italic, underline, strike-out, DEFAULT_CHARSET, precisions, quality, pitch
    for ((i = 0; i < 32; i++)); do
        if [ "$i" -lt "${#face}" ]; then printf '%02x00' "'${face:i:1}"; else printf '0000'; fi
    done
}

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
message-font-*)
    wine reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v MessageFont /t REG_BINARY \
        /d "$(logfont_hex "${setting#message-font-}")" /f
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
