#!/bin/bash
# Runs the 32-bit Windows program under 32-bit Wine: every run listed in OUT/runs.txt, a screenshot
# of the window, the start-up time beside a minimal window, and a screen reader's first question
# with stand-in DLLs planted beside the program (OUT/stand-ins, the findings in OUT/planted.txt).
# Runs inside the guest, or on a machine whose own Wine runs 32-bit programs.
#
#   wine32-run.sh PREFIX OUT
#
# OUT holds bin/ (the executables under their build-tree paths, the sources the runs name under
# bin/source/), lib/ (the scripts' helpers) and runs.txt (windows-suites.sh); results, logs and the
# screenshot are written to OUT. Every Wine process has a time limit.
set -u
prefix="$1" out="$2"
for helper in setup display stats wine-prefix planted-dlls; do source "$out/lib/$helper.sh"; done

started=$(date +%s.%N)
stamp() { awk -v s="$started" -v n="$(date +%s.%N)" 'BEGIN { printf "%6.1f s", n - s }'; }
say() { echo "[$(stamp)] $*"; }

# Executables run from this machine's own disk: run from the host's share, Wine read their
# sections short. The disk, not /tmp's memory: the display-settings runs make prefixes of their own
# beside the one in PREFIX, linked to it where they can be (tests/win32/display_settings.sh).
work="$(mktemp -d /var/tmp/quadrell.XXXXXX)"
cp -r "$out/bin/." "$work/"
mkdir -p "$work/results" "$out/results"
program="$work/presentation/win32/quadrell.exe"

say "preparing the Wine prefix"
prepare_wine_prefix "$prefix" 32 || { say "no Wine prefix"; exit 1; }
say "prefix ready"
start_virtual_display || exit 1
say "display $DISPLAY up"

# run NAME FOLDER ENVIRONMENT COMMAND: one run as runs.txt gives it (the last three shell-quoted
# lists), the two trees' places filled in; its GoogleTest report is kept as NAME.xml. Wine maps
# the Linux root to drive Z:.
run() {
    local name="$1" folder="${2//@BUILD@/$work}" environment command status=0
    eval "environment=($3)" && eval "command=($4)"
    environment=("${environment[@]//@BUILD@/$work}") command=("${command[@]//@BUILD@/$work}")
    environment=("${environment[@]//@SOURCE@/$work/source}") command=("${command[@]//@SOURCE@/$work/source}")
    mkdir -p "$folder"
    (cd "$folder" && timeout -k 10 600 env "${environment[@]}" GTEST_OUTPUT="xml:Z:$work/results/$name.xml" \
        "${command[@]}") > "$out/$name.log" 2>&1 || status=$?
    stop_wine
    cp "$work/results/$name.xml" "$out/results/" 2> /dev/null
    say "$name: exit status $status, $(grep -a -E '^\[  (PASSED|FAILED)  \]' "$out/$name.log" | tr -d '\r' | tr '\n' ' ')"
}

while IFS=$'\x1f' read -r name folder environment command; do
    [ -n "$name" ] && run "$name" "$folder" "$environment" "$command"
done < "$out/runs.txt"

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
    "Z:$program" "Z:$work/bench/win32/minimal_window_win32.exe" 2> /dev/null \
    | tr -d '\r' > "$out/startup.txt"
stop_wine
sed "s|$work/||" "$out/startup.txt"
ours=$(awk '/quadrell.exe/ { print $(NF-4) }' "$out/startup.txt")
theirs=$(awk '/minimal_window/ { print $(NF-4) }' "$out/startup.txt")
[ -n "$ours" ] && [ -n "$theirs" ] && echo "quadrell.exe takes $(ratio "$ours" "$theirs") times as long as the minimal window"

say "DLLs planted beside the program, which a screen reader then asks for its objects"
downloads="$work/Downloads"
mkdir -p "$downloads"
cp "$program" "$downloads/"
plant_stand_ins "$out/stand-ins" "$downloads"
check_planted "the 32-bit quadrell.exe" "$downloads" program wine "$work/tests/win32/accessibility_probe.exe" \
    "Z:$downloads/quadrell.exe" > "$out/planted.txt"
stop_wine
cat "$out/planted.txt"

rm -rf "$work"
say "done"
touch "$out/done"
