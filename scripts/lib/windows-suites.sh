# The 32-bit run's side on the host: which runs it makes, what it copies for them, whether this
# machine's own Wine can run it, and how its results are counted.
#
# The runs are not listed here: they are the 64-bit build's CTest entries that carry the label
# "guest", read from `ctest --show-only=json-v1`, each with its command line, its arguments and its
# ENVIRONMENT. Paths into the 64-bit build stand for the same files of the 32-bit build and paths
# into the sources for a copy of them; both are copied for the run. So an entry reaches the 32-bit
# program by its label alone:
#
#     set_tests_properties(windows_white_on_black PROPERTIES LABELS guest)
#
# A wrapper runs there as it runs here: an entry such as
#     bash <sources>/tests/win32/display_settings.sh <build>/wine-dpi dpi-120 wine <build>/.../display_tests.exe ...
# becomes, in the guest, the same script from the copied sources, a prefix folder in the run's own
# copy of the build (made from the guest's 32-bit prefix, WINEPREFIX) and the 32-bit display_tests.exe
# under the guest's 32-bit `wine`. Each run's GoogleTest report is asked for through GTEST_OUTPUT,
# so wrappers need not pass anything on.

# The other executables the run needs: the program, the start-up comparison and the screen
# reader's first question, asked with DLLs planted beside the program (planted-dlls.sh).
WINDOWS_32_PROGRAMS=(presentation/win32/quadrell.exe bench/win32/startup_probe.exe
                     bench/win32/minimal_window_win32.exe tests/win32/accessibility_probe.exe)

# The helpers the run sources, copied with it.
WINDOWS_32_HELPERS=(setup.sh display.sh stats.sh wine-prefix.sh planted-dlls.sh)

# guest_runs BUILD64: one line a run, its fields separated by the unit separator (\x1f, so that an
# empty one stays a field): name, working folder, environment and command line (each a
# shell-quoted list), with @BUILD@ and @SOURCE@ standing for the two trees.
guest_runs() {
    local build source
    build="$(realpath "$1")" source="$(realpath .)"
    ctest --test-dir "$build" --show-only=json-v1 -L '^guest$' | jq -r --arg build "$build" --arg source "$source" '
        def place: split($build) | join("@BUILD@") | split($source) | join("@SOURCE@");
        def property($p): [.properties[]? | select(.name == $p) | .value] | first;
        .tests[] | [.name, (property("WORKING_DIRECTORY") // $build | place),
                    ((property("ENVIRONMENT") // []) | map(place) | @sh), (.command | map(place) | @sh)]
        | join("\u001f")'
}

# stage_windows_32_run BUILD32 BUILD64 OUT: lists the runs in OUT/runs.txt and copies into
# OUT/bin every file they name (the 32-bit build's under their build-tree paths, the sources'
# under source/), the programs and the helpers.
stage_windows_32_run() {
    local build32="$1" build64="$2" out="$3" path
    mkdir -p "$out/bin/source" "$out/lib"
    guest_runs "$build64" > "$out/runs.txt" || return 1
    for path in "${WINDOWS_32_PROGRAMS[@]}" $(grep -o '@BUILD@/[^ ;'"'"']*' "$out/runs.txt" | sed 's|^@BUILD@/||' | sort -u); do
        [ -f "$build32/$path" ] || continue
        mkdir -p "$out/bin/$(dirname "$path")"
        cp "$build32/$path" "$out/bin/$path"
    done
    for path in $(grep -o '@SOURCE@/[^ ;'"'"']*' "$out/runs.txt" | sed 's|^@SOURCE@/||' | sort -u); do
        mkdir -p "$out/bin/source/$(dirname "$path")"
        cp "$path" "$out/bin/source/$path"
    done
    for path in "${WINDOWS_32_HELPERS[@]}"; do cp "scripts/lib/$path" "$out/lib/"; done
}

# host_runs_wine32: true when this machine runs 32-bit Wine itself (its kernel runs 32-bit code
# and the 32-bit Wine loader is installed); the check starts the loader once.
host_runs_wine32() {
    local loader
    loader="$(dpkg -L wine32 2> /dev/null | grep -m1 '/lib/wine/wine$')" || return 1
    [ -x "$loader" ] && timeout 10 "$loader" --version > /dev/null 2>&1
}

# report_windows_32_run OUT: counts the test cases of every run's XML report; a run without a
# report (a crash or a time-out) counts as one failure. Prints the summary line; fails on any
# failure or when the run did not finish.
report_windows_32_run() {
    local out="$1" passed=0 failed=0 complete=1 name counts
    [ -f "$out/done" ] || { echo "The 32-bit run did not finish: see $out/run.log and $out/console.log"; complete=0; }
    while IFS=$'\x1f' read -r name _; do
        if [ ! -f "$out/results/$name.xml" ]; then
            echo "$name: no report"
            failed=$((failed + 1))
            continue
        fi
        counts=($(count_gtest_cases "$out/results/$name.xml"))
        [ "${counts[0]}" -gt 0 ] || { echo "$name: ran no test"; failed=$((failed + 1)); }
        passed=$((passed + counts[0]))
        failed=$((failed + counts[1]))
    done < "$out/runs.txt"
    [ -s "$out/runs.txt" ] || { echo "No CTest entry of build-win64 is labelled guest"; complete=0; }
    echo "32-bit Windows: $passed passed, $failed failed"
    [ "$failed" -eq 0 ] && [ "$complete" -eq 1 ]
}

# count_gtest_cases XML: prints the passed and the failed (or skipped) test cases of one report.
count_gtest_cases() {
    awk '
        /<testcase / { open = 1; bad = ($0 ~ /result="skipped"/); if ($0 ~ /\/>[ \t\r]*$/) { close_case() } ; next }
        open && /<(failure|skipped)/ { bad = 1 }
        open && /<\/testcase>/ { close_case() }
        function close_case() { if (bad) f++; else p++; open = 0 }
        END { print p + 0, f + 0 }' "$1"
}
