# The one way the scripts start a virtual X display: on this machine, and in the 32-bit guest,
# which gets a copy of this file with each run. Needs at_exit (setup.sh).

# start_virtual_display [WIDTHxHEIGHT]: starts Xvfb with a 24-bit screen (1024x768 unless told),
# waits until it takes clients, exports DISPLAY and VIRTUAL_DISPLAY_PID, and stops it when the
# script ends. Xvfb picks a free display number itself and writes it, once ready, to a file
# (-displayfd), so scripts running side by side never collide; a file, not a pipe, because the
# guest has no /dev/fd for process substitution.
start_virtual_display() {
    local size="${1:-1024x768}" number_file number=
    number_file="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3> "$number_file" > /dev/null 2>&1 &
    VIRTUAL_DISPLAY_PID=$!
    at_exit "kill $VIRTUAL_DISPLAY_PID 2> /dev/null || true"
    for _ in $(seq 600); do
        [ -s "$number_file" ] || ! kill -0 "$VIRTUAL_DISPLAY_PID" 2> /dev/null && break
        sleep 0.1
    done
    read -r number < "$number_file" || true
    rm -f "$number_file"
    [ -n "$number" ] || { echo "The virtual display did not start" >&2; return 1; }
    export DISPLAY=":$number"
}
