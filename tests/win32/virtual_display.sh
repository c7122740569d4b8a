#!/usr/bin/env bash
# Starts or stops the virtual X display the Windows tests share, on the number they are told.
#   virtual_display.sh start NUMBER WIDTHxHEIGHT
#   virtual_display.sh stop NUMBER    (ends WINEPREFIX's Wine processes first)
# The display outlives the command that starts it: it is started in a session of its own, with
# nothing of the caller's open, so that CTest, which waits for a test's output to end, goes on.
set -euo pipefail
action=$1 number=$2
pid_file=/tmp/quadrell-display-$number.pid

stop() {
    # Wine's processes draw on the display: they end first, with the server of the prefix in use.
    [ -n "${WINEPREFIX:-}" ] && { timeout -k 5 30 wineserver -k; timeout -k 5 30 wineserver -w; } > /dev/null 2>&1 || true
    [ -f "$pid_file" ] && kill "$(cat "$pid_file")" 2> /dev/null || true
    rm -f "$pid_file"
}

case "$action" in
start)
    stop
    [ -e "/tmp/.X$number-lock" ] && { echo "Display :$number is taken by another X server" >&2; exit 1; }
    setsid Xvfb ":$number" -screen 0 "${3}x24" -nolisten tcp < /dev/null > /dev/null 2>&1 &
    echo $! > "$pid_file"
    for _ in $(seq 300); do
        [ -S "/tmp/.X11-unix/X$number" ] && exit 0
        kill -0 "$(cat "$pid_file")" 2> /dev/null || break
        sleep 0.1
    done
    echo "The virtual display :$number did not start" >&2
    exit 1
    ;;
stop) stop ;;
esac
