#!/usr/bin/env bash
# Runs the Orca screen reader against the real window and checks what it says, key by key: every
# control when it takes the focus, a box's state and the new byte after space, the outcome of typing into "ASCII:"
# and into "Split" and of pressing "Cancella", boxes inside and outside the split, and that nothing
# is said twice in answer to one key. What Orca says is read from its debug log (its `SPEECH
# OUTPUT:` lines); the words expected are written below, in this file, so that wrong words fail.
#
#   orca_check.sh PROGRAM    PROGRAM: the window's program, or the web page's index.html,
#                            opened from its file in Chromium; run in the source tree (the CTest
#                            tests screen-reader.window and screen-reader.web)
#
# Everything runs privately: an X display of its own, a session bus of its own (which starts the
# accessibility bus and registry), Speech Dispatcher with its dummy voice and audio sent to ALSA's
# null device, and Orca with settings in a scratch folder. Orca refuses to start beside another
# Orca of the same user, and this check never replaces one (`--replace` would end it).
# The transcript is kept in build/screen-reader/.
set -euo pipefail

quiet_seconds=1.5   # a key's response has ended when Orca's log has been still this long

if [ "${1:-}" != --inside-session ]; then
    source scripts/lib/setup.sh
    source scripts/lib/display.sh
    program=$1
    if pgrep -u "$(id -u)" -x orca > /dev/null; then
        echo "FAIL: another Orca of this user is running; Orca will not start beside it" >&2
        exit 1
    fi
    mkdir -p build/screen-reader
    start_virtual_display
    status=0
    dbus-run-session -- "$0" --inside-session "$(realpath "$program")" 2> build/screen-reader/session.log || status=$?
    # None ran before, so any Orca of this user now is this check's, going with its session; the
    # next check may start its own only once it has gone.
    for _ in $(seq 100); do
        pgrep -u "$(id -u)" -x orca > /dev/null || break
        sleep 0.1
    done
    exit "$status"
fi

# From here on, inside the private session bus. Orca speaks English, whatever the machine's locale,
# so that its own words (roles, states) are the ones expected below.
program=$2
export LC_ALL=C.UTF-8 LANGUAGE=en
scratch=$(mktemp -d)
export XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data XDG_CACHE_HOME=$scratch/cache
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# Speech Dispatcher refuses to start when its voice cannot open an audio device; ALSA's null
# device always opens and plays nothing.
cat > "$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" << 'EOF'
AddModule "dummy" "sd_dummy" ""
DefaultModule dummy
AudioOutputMethod "alsa"
AudioALSADevice "null"
EOF

log=$scratch/orca.log
transcript=build/screen-reader/transcript.txt
: > "$transcript"
orca_pid= program_pid=
trap 'kill $program_pid $orca_pid 2> /dev/null || true; wait 2> /dev/null || true
      cp "$log" build/screen-reader/orca-debug.log 2> /dev/null || true; rm -rf "$scratch"' EXIT
# Orca writes its debug log through a buffer it never flushes, except to a terminal, where it
# writes whole lines at once; `script` gives it one and copies every line to the log at once.
script -qfec "orca --user-prefs '$scratch/orca' --debug-file /dev/tty" "$log" > /dev/null 2>&1 &
orca_pid=$!

said_count() { grep -ac 'SPEECH OUTPUT:' "$log" || true; }

# Waits until Orca's log has been still for quiet_seconds (at most 20 s).
wait_until_quiet() {
    local size=-1 still=0 needed
    needed=$(awk -v s="$quiet_seconds" 'BEGIN { print int(s * 10) }')
    for _ in $(seq 200); do
        local now
        now=$(stat -c %s "$log")
        if [ "$now" = "$size" ]; then
            still=$((still + 1))
            [ "$still" -ge "$needed" ] && return 0
        else
            still=0 size=$now
        fi
        sleep 0.1
    done
}

# The utterances Orca logged after the first FROM ones, one a line, without its voice settings.
said_since() {
    grep -a 'SPEECH OUTPUT:' "$log" | tail -n +"$(($1 + 1))" \
        | sed -E "s/^.*SPEECH OUTPUT: '(.*)' ?\{.*\}.*$/\1/; s/^.*SPEECH OUTPUT: '(.*)'.*$/\1/"
}

for _ in $(seq 100); do
    grep -aq "SPEECH OUTPUT: 'Screen reader on" "$log" 2> /dev/null && break
    sleep 0.2
done
grep -aq "SPEECH OUTPUT: 'Screen reader on" "$log" || { echo "FAIL: Orca did not start"; exit 1; }
wait_until_quiet

failures=0
fail() { echo "  FAIL: $*" | tee -a "$transcript"; failures=$((failures + 1)); }

# respond WHAT ACTION...: does ACTION (a command), waits for Orca to fall silent, and leaves what
# it said, key echo left out, in the array `heard`.
heard=()
respond() {
    local before
    before=$(said_count)
    "$@"
    sleep 0.3
    wait_until_quiet
    mapfile -t heard < <(said_since "$before")
    # Orca echoes each key by its name with a trailing blank ("tab ", "5 "); that is not the program's.
    if [ ${#heard[@]} -gt 0 ] && [[ ${heard[0]} == *' ' ]]; then
        heard=("${heard[@]:1}")
    fi
}

# expect WHAT EXPECTED...: compares `heard` with the expected utterances, in order, and checks that
# no utterance comes twice.
allowed_repeat=
expect() {
    local what=$1
    shift
    local line
    line="$what -> $([ ${#heard[@]} -eq 0 ] && echo "(nothing)" || printf "'%s' " "${heard[@]}")"
    echo "$line" | tee -a "$transcript"
    if [ "${heard[*]:-}" != "$*" ] || [ ${#heard[@]} -ne $# ]; then
        fail "expected $(printf "'%s' " "$@")"
    fi
    local repeated
    repeated=$(printf '%s\n' "${heard[@]}" | sed -E 's/[.]$//' | tr '[:upper:]' '[:lower:]' | sort | uniq -d \
        | grep -vxF -- "$allowed_repeat" || true)
    [ -z "$repeated" ] || fail "said twice: $repeated"
    allowed_repeat=
}

# expect_among WHAT UTTERANCE: UTTERANCE is among those in `heard`, whatever else came with it.
expect_among() {
    echo "$1 -> $(printf "'%s' " "${heard[@]}")" | tee -a "$transcript"
    printf '%s\n' "${heard[@]}" | grep -qxF -- "$2" || fail "expected '$2' among them"
}

key() { xdotool key --delay 0 "$1"; }
typed() { xdotool type --delay 0 "$1"; }

# The window and the page differ in a few of Orca's own words: an entry is "text" in the Qt window
# and "entry" on the page, the program's announcements are notifications in the window and live
# region text on the page, and on the page Orca tells when it enters and leaves focus mode.
if [[ $program == *.html ]]; then
    entry_role=entry focus_mode=("Focus mode") browse_mode=("Browse mode")
    announced() { echo "$1"; }
else
    entry_role=text focus_mode=() browse_mode=()
    announced() { echo "notification $1."; }
fi

# open_window LANGUAGE (en or it): starts the program, or Chromium with the page, in LANGUAGE and
# gives it the keyboard.
open_window() {
    local language=$1 locale
    locale=$([ "$1" = it ] && echo it_IT.UTF-8 || echo C.UTF-8)
    if [[ $program == *.html ]]; then
        local region
        region=$([ "$1" = it ] && echo it-IT || echo en-GB)
        # No offer to translate the Italian page: a dialog Orca would read out.
        mkdir -p "$scratch/chromium-$language/Default"
        echo '{"translate": {"enabled": false}}' > "$scratch/chromium-$language/Default/Preferences"
        local flags
        mapfile -t flags < <(node tests/web/chromium_flags.mjs)
        LANGUAGE=$language LC_ALL=$locale chromium "${flags[@]}" --kiosk \
            --force-renderer-accessibility --user-data-dir="$scratch/chromium-$language" \
            --lang="$region" --accept-lang="$region" "file://$program" > /dev/null 2>&1 &
        program_pid=$!
        window=$(timeout 30 xdotool search --sync --name "^Quadrell - Chromium\$" | head -n 1)
    else
        LANGUAGE=$language LC_ALL=$locale "$program" &
        program_pid=$!
        window=$(timeout 20 xdotool search --sync --name "^Quadrell\$" | head -n 1)
    fi
    xdotool windowfocus --sync "$window"
}

# The window opens with the focus on the first box. On the page, Orca tells of the page's loading
# around it (the browser's own words, and in an order that varies); the first Tab shows where the
# focus was.
respond open_window en
if [[ $program == *.html ]]; then
    expect_among "page opens" "Finished loading Quadrell."
else
    expect "window opens" "Quadrell frame." "0 check box not checked." "Bit of weight 128."
fi

# Every box on focus: caption, role, state and weight.
weights=(128 64 32 16 8 4 2 1)
for k in 1 2 3 4 5 6 7; do
    respond key Tab
    expect "Tab" "$k check box not checked." "Bit of weight ${weights[$k]}."
done
respond key space
expect "space" "checked" "$(announced "Binary 00000001, decimal 1")"

respond key Tab
expect "Tab" "ASCII: $entry_role." "${focus_mode[@]}"
respond typed 5
expect "5" "$(announced "Binary 00000101, decimal 5")"
respond typed 0
expect "0" "$(announced "Binary 00110010, decimal 50")"
respond key BackSpace
expect "BackSpace" "0" "$(announced "Binary 00000101, decimal 5")"

respond key Tab
expect "Tab" "Split $entry_role."
respond typed 3
expect "3" "$(announced "The first 3 bits are in the split")"

respond key Tab
expect "Tab" "Cancella push button." "${browse_mode[@]}"
respond key space
expect "space" "$(announced "Binary 00000000, decimal empty, that is 0")"
respond key space
expect "space again: the same words, heard again" "$(announced "Binary 00000000, decimal empty, that is 0")"

# Around to the boxes (on the page, Chromium in kiosk mode has no toolbar to visit between): the
# first three lie in the split, the fourth outside it.
respond key Tab
expect "Tab" "0 check box not checked." "Bit of weight 128, in the split."
for k in 1 2; do
    respond key Tab
    expect "Tab" "$k check box not checked." "Bit of weight ${weights[$k]}, in the split."
done
respond key Tab
expect "Tab" "3 check box not checked." "Bit of weight 16, outside the split."

respond key shift+Tab
expect "shift+Tab" "2 check box not checked." "Bit of weight 32, in the split."
for _ in 1 2; do respond key shift+Tab; done
respond key shift+Tab
expect "shift+Tab" "Cancella push button."
if [[ $program == *.html ]]; then
    # The browser selects an entry's whole text when Tab brings the focus.
    respond key shift+Tab
    expect "shift+Tab" "Split entry 3 selected." "${focus_mode[@]}"
else
    # Back round the other way. The toolkit's line edit selects its whole text when Tab brings the
    # focus, a convenience, and tells of that selection before it tells of the focus, so Orca says
    # the text and "selected" before the entry's name, and "selected" again after it; the
    # selection is also how the text is heard at all (Orca finds no line of text in a Qt 6.4 line
    # edit). Leaving, the line edit drops its selection, and Orca says "Text unselected". Both are
    # the toolkit's.
    allowed_repeat=selected
    respond key shift+Tab
    expect "shift+Tab" "3" "selected" "Split text." "selected."
    respond key Tab
    expect "Tab" "Text unselected." "Cancella push button."
fi
kill "$program_pid"; wait "$program_pid" 2> /dev/null || true

# In Italian: the program's own words; Orca's stay in its own language.
respond open_window it
if [[ $program == *.html ]]; then
    expect_among "page opens, in Italian" "Finished loading Quadrell."
    # Orca reads a page through once it has loaded, and its own place ends at the last control;
    # a key that moves the focus brings it back.
    respond key Tab
    respond key shift+Tab
    expect "shift+Tab" "0 check box not checked." "Bit di peso 128."
else
    expect "window opens, in Italian" "Quadrell frame." "0 check box not checked." "Bit di peso 128."
fi
respond key space
expect "space" "checked" "$(announced "Binario 10000000, decimale 128")"
for _ in 1 2 3 4 5 6 7; do respond key Tab; done
respond key Tab
expect "Tab" "ASCII: $entry_role." "${focus_mode[@]}"
respond typed 5
expect "5" "$(announced "Binario 00000101, decimale 5")"
respond key BackSpace
expect "BackSpace" "5" "$(announced "Binario 00000000, decimale vuoto, cioè 0")"
respond key Tab
expect "Tab" "Split $entry_role."
respond typed 1
expect "1" "$(announced "Il primo bit è nello split")"
respond typed 0
expect "0" "$(announced "Tutti gli 8 bit sono nello split")"

echo
if [ "$failures" -eq 0 ]; then
    echo "Orca said what the window shows. Transcript: $transcript"
else
    echo "FAIL: $failures of Orca's answers were wrong. Transcript: $transcript"
    exit 1
fi
