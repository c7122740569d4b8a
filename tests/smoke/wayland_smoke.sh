#!/usr/bin/env bash
# Opens the window natively on Wayland: starts a headless Weston with no X display at all, runs
# the program there (QT_QPA_PLATFORM unset, so Qt chooses its platform as on a user's desktop),
# checks in the Wayland protocol trace that it mapped a "Quadrell" toplevel window, takes a
# screenshot with weston-screenshooter and checks that it shows the window's designed colours.
# The screenshot is left in BUILD/smoke-wayland/quadrell-wayland.png.
#   wayland_smoke.sh BUILD    (a CTest test of the linux build BUILD)
set -euo pipefail
build=$1

runtime=$(mktemp -d)  # a private XDG_RUNTIME_DIR (mode 0700) for the compositor's socket
output=$build/smoke-wayland
mkdir -p "$output"
stop() {
    [ -n "${program_pid:-}" ] && kill "$program_pid" 2> /dev/null || true
    [ -n "${weston_pid:-}" ] && kill "$weston_pid" 2> /dev/null || true
    wait 2> /dev/null || true
    rm -rf "$runtime"
}
trap stop EXIT

# --debug exposes the screenshooter protocol; the pixman renderer draws into memory, so the
# screenshot holds real pixels.
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --use-pixman --debug \
    --no-config --socket=quadrell-wayland --width=640 --height=480 > "$output/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do [ -S "$runtime/quadrell-wayland" ] && break; sleep 0.1; done
[ -S "$runtime/quadrell-wayland" ] || { cat "$output/weston.log"; echo "FAIL: Weston did not start"; exit 1; }

wayland=(env -u DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=quadrell-wayland)
"${wayland[@]}" WAYLAND_DEBUG=client "$build/presentation/qt/quadrell" 2> "$output/wayland-trace.txt" &
program_pid=$!

# Mapped: the toplevel has its title, has acknowledged the compositor's configure and has
# attached a buffer to its surface.
mapped() {
    grep -q 'xdg_toplevel@[0-9]*\.set_title("Quadrell")' "$output/wayland-trace.txt" \
        && grep -q 'xdg_surface@[0-9]*\.ack_configure' "$output/wayland-trace.txt" \
        && grep -q 'wl_surface@[0-9]*\.attach(wl_buffer@' "$output/wayland-trace.txt"
}
for _ in $(seq 200); do
    mapped && break
    kill -0 "$program_pid" 2> /dev/null || break
    sleep 0.1
done
if ! mapped; then
    grep -v '^\[' "$output/wayland-trace.txt" || true
    echo "FAIL: no Quadrell window was mapped on Wayland"; exit 1
fi
echo "Window mapped on Wayland: $(grep -o 'xdg_toplevel@[0-9]*\.set_app_id("[^"]*")' "$output/wayland-trace.txt" | head -1)"

# The designed colours: the yellow bit boxes, the light green decimal display, the pale yellow
# binary display and the light blue "Cancella" button.
colours=(255,255,0 192,255,192 255,255,192 192,192,255)
for attempt in $(seq 10); do
    rm -f "$runtime"/wayland-screenshot-*.png
    (cd "$runtime" && "${wayland[@]}" weston-screenshooter) > /dev/null 2>&1 || true
    shot=$(ls "$runtime"/wayland-screenshot-*.png 2> /dev/null | head -1 || true)
    if [ -n "$shot" ]; then
        mv "$shot" "$output/quadrell-wayland.png"
        "$build/tests/smoke/screenshot_colours" "$output/quadrell-wayland.png" 200 "${colours[@]}" > "$output/colours.txt" \
            && break
    fi
    [ "$attempt" -lt 10 ] && sleep 0.5
done
cat "$output/colours.txt" 2> /dev/null || true
"$build/tests/smoke/screenshot_colours" "$output/quadrell-wayland.png" 200 "${colours[@]}" > /dev/null \
    || { echo "FAIL: the screenshot does not show the window's colours"; exit 1; }
kill -0 "$program_pid" 2> /dev/null || { echo "FAIL: the program did not stay up"; exit 1; }
echo "Screenshot: $output/quadrell-wayland.png"
