#!/usr/bin/env bash
# Runs the real window under Xvfb with Qt's GTK 3 platform theme in GNOME's light and dark styles
# (and the dark one at twice the scale), checks two boxes and types a value and a split count with
# real mouse clicks and keys, takes a screenshot and checks from its pixels that every text is
# readable on its background and no caption is cut at its control's edge.
#
#   theme_check.sh BUILD [PROGRAM]    (a CTest test of the linux build BUILD, run in the source
#                                      tree); PROGRAM: another build of the window to check
#
# Screenshots are kept in BUILD/themes/.
set -euo pipefail
build=$1
source scripts/lib/setup.sh
source scripts/lib/display.sh

program="${2:-$build/presentation/qt/quadrell}"
checker=$build/tests/themes/theme_check
probe=$build/tests/smoke/window_probe
mkdir -p "$build/themes"

start_virtual_display 1280x1024
program_pid=
at_exit '[ -z "$program_pid" ] || kill "$program_pid" 2> /dev/null || true'

click() {  # click NAME SCALE WINDOW: a left click at the middle of a control
    read -r x y < <("$checker" points "$2" | awk -v n="$1" '$1 == n { print $2, $3 }')
    xdotool mousemove --window "$3" "$x" "$y" click 1
    sleep 0.2
}

stop_program() {
    kill "$program_pid" 2> /dev/null || true
    wait "$program_pid" 2> /dev/null || true
    program_pid=
}

check_theme() {  # check_theme GTK_THEME SCALE
    local theme=$1 scale=$2 shot window
    shot="$build/themes/quadrell-${theme/:/-}-${scale}x.png"
    QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME="$theme" QT_SCALE_FACTOR="$scale" "$program" 2> /dev/null &
    program_pid=$!
    window=$("$probe" --wait-for Quadrell --seconds 20) || { stop_program; return 1; }
    sleep 0.5
    click Text1 "$scale" "$window"; xdotool type --delay 50 77
    click Check1_0 "$scale" "$window"
    click Check1_2 "$scale" "$window"   # 77 with 128 and 32 added: 237
    click Text2 "$scale" "$window"; xdotool type --delay 50 4
    sleep 0.5
    import -window "$window" "$shot"
    stop_program
    echo "GTK_THEME=$theme at ${scale}x ($shot):"
    "$checker" check "$shot" "$scale" 11101101
}

status=0
check_theme Adwaita 1 || status=1
check_theme Adwaita:dark 1 || status=1
check_theme Adwaita:dark 2 || status=1
[ "$status" -eq 0 ] && echo "Every caption is readable and whole in every style." || echo "FAIL: see above"
exit "$status"
