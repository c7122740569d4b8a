# The 32-bit run's side on the host: which suites it runs, what it copies for the run, whether this
# machine's own Wine can run it, and how its results are counted.

# The 32-bit runs, one a line: suite, run name, GoogleTest filter, an argument after the program's
# path ("-" for none) and the environment ("-", or VAR=VALUE pairs joined by commas). They are
# the 64-bit build's CTest entries (tests/CMakeLists.txt, tests/win32/CMakeLists.txt) but those
# that need display settings of a Wine prefix of their own. Every suite is started with the path
# of quadrell.exe as its first argument, which suites that do not drive the program ignore.
WINDOWS_32_RUNS='
tests/behaviour_tests.exe           behaviour_tests            *                          -  -
tests/allocation_tests.exe          allocation_tests           *                          -  -
tests/presentation_tests.exe        presentation_tests         *                          -  -
tests/win32/gui_tests.exe           gui_tests                  -WindowsRegionalSettings.* -  -
tests/win32/gui_tests.exe           gui_tests-italian          WindowsRegionalSettings.*  -  LC_ALL=it_IT.UTF-8
tests/win32/accessibility_tests.exe accessibility_tests        *                          en -
tests/win32/accessibility_tests.exe accessibility_tests-italian *                         it LC_ALL=it_IT.UTF-8,LANG=it_IT.UTF-8
tests/win32/display_tests.exe       display_dpi_change         *MovedToAnotherScale*      -  -
'

# windows_32_suites: the suites the runs need, one path a line.
windows_32_suites() {
    awk 'NF { print $1 }' <<< "$WINDOWS_32_RUNS" | sort -u
}

# The other executables the run needs: the program and the start-up comparison.
WINDOWS_32_PROGRAMS=(presentation/win32/quadrell.exe bench/win32/startup_probe.exe
                     bench/win32/minimal_window_win32.exe)

# stage_windows_32_run BUILD OUT: copies the executables to OUT/bin and lists the runs in
# OUT/suites.txt.
stage_windows_32_run() {
    local build="$1" out="$2" file
    for file in "${WINDOWS_32_PROGRAMS[@]}" $(windows_32_suites); do
        mkdir -p "$out/bin/$(dirname "$file")"
        cp "$build/$file" "$out/bin/$file" || return 1
    done
    awk 'NF' <<< "$WINDOWS_32_RUNS" > "$out/suites.txt"
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
    local out="$1" passed=0 failed=0 complete=1 suite name rest counts
    [ -f "$out/done" ] || { echo "The 32-bit run did not finish: see $out/run.log and $out/console.log"; complete=0; }
    while read -r suite name rest; do
        if [ ! -f "$out/results/$name.xml" ]; then
            echo "$name: no report"
            failed=$((failed + 1))
            continue
        fi
        counts=($(count_gtest_cases "$out/results/$name.xml"))
        [ "${counts[0]}" -gt 0 ] || { echo "$name: ran no test"; failed=$((failed + 1)); }
        passed=$((passed + counts[0]))
        failed=$((failed + counts[1]))
    done < "$out/suites.txt"
    [ -s "$out/suites.txt" ] || { echo "No 32-bit test suite was built"; complete=0; }
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
