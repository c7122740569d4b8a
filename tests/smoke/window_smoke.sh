#!/usr/bin/env bash
# Runs the README's run command on a virtual X display, checks that the "Quadrell" window is
# mapped, closes it as a window manager would, and checks that the process ends with status 0.
# Before that, checks that the program fails with one line and status 1 wherever no window can be
# opened: no display, and a display that admits the program's own check but refuses the toolkit.
#   window_smoke.sh BUILD    (a CTest test of the linux build BUILD, run in the source tree)
set -euo pipefail
build=$1
source scripts/lib/setup.sh
source scripts/lib/display.sh

# expect_one_line_failure WHAT PATTERN ENV...: runs the program with the environment changes and
# checks that it ends with status 1 after writing one line that matches PATTERN, and nothing else.
expect_one_line_failure() {
    local what=$1 pattern=$2 status=0
    shift 2
    echo "Window $what:"
    env "$@" "$build/presentation/qt/quadrell" > "$scratch/out" 2> "$scratch/err" || status=$?
    cat "$scratch/err"
    if [ "$status" -ne 1 ] || [ -s "$scratch/out" ] || [ "$(wc -l < "$scratch/err")" -ne 1 ] \
        || ! grep -qE "^quadrell: $pattern" "$scratch/err"; then
        echo "FAIL: expected status 1 and one line 'quadrell: $pattern...', got status $status"; exit 1
    fi
}

start_virtual_display
scratch=$(mktemp -d)
at_exit 'kill ${refusing_pid:-} 2> /dev/null || true; rm -rf "$scratch"'

expect_one_line_failure "with no display" "no display" -u DISPLAY -u WAYLAND_DISPLAY

# The stand-in display admits its first client, the program's own check, and refuses the next,
# the toolkit's connection; on a second run it refuses the check itself.
exec {refusing_fd}< <(exec "$build/tests/smoke/refusing_display")
refusing_pid=$!
read -r -t 10 refusing_number <&"$refusing_fd"
expect_one_line_failure "on a display that refuses the toolkit" "cannot open the window: .*Maximum number of clients" \
    -u WAYLAND_DISPLAY DISPLAY=":$refusing_number"
expect_one_line_failure "on a display that refuses the check" "the display :$refusing_number refused" \
    -u WAYLAND_DISPLAY DISPLAY=":$refusing_number"
echo "Window on display $DISPLAY:"
"$build/tests/smoke/window_probe" --title Quadrell -- scripts/run
