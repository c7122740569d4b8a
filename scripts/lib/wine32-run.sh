#!/bin/bash
# Runs the 32-bit Windows program under 32-bit Wine: every GoogleTest run listed in
# OUT/suites.txt, a screenshot of the window, and the start-up time beside a minimal window. Runs inside the guest, or on a machine
# whose own Wine runs 32-bit programs.
#
#   wine32-run.sh PREFIX OUT
#
# OUT holds bin/ (the executables, under their build-tree paths) and suites.txt; results,
# logs and the screenshot are written to OUT. Every Wine process has a time limit.
set -u
prefix="$1" out="$2"
source "${QUADRELL_PREFIX_SCRIPT:-/opt/quadrell/wine32-prefix.sh}"

started=$(date +%s.%N)
stamp() { awk -v s="$started" -v n="$(date +%s.%N)" 'BEGIN { printf "%6.1f s", n - s }'; }
say() { echo "[$(stamp)] $*"; }

# Wine maps the Linux root to drive Z:.
windows_path() { echo "Z:$1"; }

# Executables run from this machine's own disk: run from the host's share, Wine read their
# sections short.
work="$(mktemp -d /tmp/quadrell.XXXXXX)"
cp -r "$out/bin/." "$work/"
mkdir -p "$work/results" "$out/results"
program="$work/presentation/win32/quadrell.exe"

say "preparing the Wine prefix"
prepare_wine32_prefix "$prefix" || { say "no Wine prefix"; exit 1; }
say "prefix ready"

display=:57
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp > "$out/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -S "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.2; done
export DISPLAY="$display"
say "display $DISPLAY up"

stop_wine() { timeout -k 5 30 wineserver -k > /dev/null 2>&1; timeout -k 5 30 wineserver -w > /dev/null 2>&1; }

# run_suite SUITE NAME FILTER ARGUMENT ENVIRONMENT: one run of a suite, its XML report kept as
# NAME.xml; ARGUMENT and ENVIRONMENT as in suites.txt.
run_suite() {
    local suite="$1" name="$2" filter="$3" argument=() environment=() status=0
    [ "$4" = - ] || argument=("$4")
    [ "$5" = - ] || IFS=, read -r -a environment <<< "$5"
    timeout -k 10 600 env "${environment[@]}" wine "$work/$suite" "$(windows_path "$program")" "${argument[@]}" \
        --gtest_filter="$filter" --gtest_output="xml:$(windows_path "$work/results/$name.xml")" \
        > "$out/$name.log" 2>&1 || status=$?
    stop_wine
    cp "$work/results/$name.xml" "$out/results/" 2> /dev/null
    say "$name: exit status $status, $(grep -a -E '^\[  (PASSED|FAILED)  \]' "$out/$name.log" | tr -d '\r' | tr '\n' ' ')"
}

while read -r suite name filter argument environment; do
    [ -n "$suite" ] || continue
    run_suite "$suite" "$name" "$filter" "$argument" "$environment"
done < "$out/suites.txt"

say "screenshot"
timeout -k 5 120 wine "$program" > /dev/null 2>&1 &
for _ in $(seq 240); do
    xwininfo -root -tree 2> /dev/null | grep -q '"Quadrell"' && break
    sleep 0.5
done
sleep 2
# The window alone (Wine draws its frame), or the whole screen when it cannot be told apart.
xwd -silent -name Quadrell -out "$out/quadrell-win32.xwd" 2> /dev/null || xwd -root -silent -out "$out/quadrell-win32.xwd"
stop_wine

say "start-up beside a minimal window"
timeout -k 10 900 wine "$work/bench/win32/startup_probe.exe" "${QUADRELL_STARTUP_RUNS:-7}" \
    "$(windows_path "$program")" "$(windows_path "$work/bench/win32/minimal_window_win32.exe")" 2> /dev/null \
    | tr -d '\r' > "$out/startup.txt"
stop_wine
sed "s|$work/||" "$out/startup.txt"
awk '/quadrell.exe/ { q = $(NF-4) } /minimal_window/ { m = $(NF-4) }
     END { if (q && m) printf "quadrell.exe takes %.2f times as long as the minimal window\n", q / m }' "$out/startup.txt"

kill "$xvfb_pid" 2> /dev/null
rm -rf "$work"
say "done"
touch "$out/done"
