# DLL planting, tried from outside: stand-in DLLs under system DLLs' names are put beside a
# Windows program, as anything in a downloads folder lies beside a program started from there,
# and Wine is told to prefer them to its own, as Windows prefers any DLL not on its KnownDLLs
# list found in the program's folder. Each stand-in leaves a marker when it is loaded
# (tests/win32/planted/stand_in_dll.c): a marker means the program loaded a DLL it should only
# ever take from the system folder. Used by the planted-DLL checks under 64-bit Wine and in the
# 32-bit guest (tests/win32/planted/, tests/release/windows_install.mjs), and by the hardening check, which
# compares the stand-ins' imports with the binaries' (tests/release/windows_hardening.cmake).

# The DLLs planted: ones the program, the installer or the system DLLs they use load on demand,
# none of them on the KnownDLLs list (which Windows takes from the system folder whatever the
# search order says).
# Not version, imm32 or msctf: Wine's own user32 loads them from beside any program, which Windows
# never does, and a stand-in there stops every window from opening.
STAND_IN_DLLS=(oleacc uxtheme dwmapi comctl32 winmm msimg32 propsys userenv cryptbase
               shfolder secur32 wtsapi32 dbghelp riched20 textshaping)

# stand_in_overrides: Wine's setting that prefers a DLL in the program's folder to its own.
stand_in_overrides() {
    local IFS=,
    echo "${STAND_IN_DLLS[*]}=n,b"
}

# build_stand_ins 32|64 DIR: (on the build machine) the stand-in DLLs in DIR/dlls, and the
# stand-ins that end at their first line for the program, DIR/stand_in_program.exe, and for the
# installer, DIR/stand_in_installer.exe.
build_stand_ins() {
    local cc triplet dll source=tests/win32/planted
    triplet=$([ "$1" = 32 ] && echo i686-w64-mingw32 || echo x86_64-w64-mingw32)
    cc="$triplet-gcc -O2 -s -Wall -Wextra"
    rm -rf "$2"
    mkdir -p "$2/dlls"
    $cc -shared -static-libgcc -o "$2/stand_in.dll" "$source/stand_in_dll.c"
    for dll in "${STAND_IN_DLLS[@]}"; do cp "$2/stand_in.dll" "$2/dlls/$dll.dll"; done
    $cc -mwindows -static -o "$2/stand_in_program.exe" "$source/stand_in_program.c"
    "$triplet-windres" -I "$source" "$source/stand_in_installer.rc" -O coff -o "$2/stand_in_installer.res"
    $cc -mwindows -static -DLIKE_INSTALLER -o "$2/stand_in_installer.exe" "$source/stand_in_program.c" \
        "$2/stand_in_installer.res" -lcomctl32 -lole32
}

# plant_stand_ins STAND_INS DIR: the stand-in DLLs and the stand-in binaries into DIR.
plant_stand_ins() {
    cp "$1"/dlls/*.dll "$1/stand_in_program.exe" "$1/stand_in_installer.exe" "$2/"
}

# loaded_stand_ins DIR: the stand-ins in DIR that were loaded, one name a line; their markers go.
loaded_stand_ins() {
    local marker
    for marker in "$1"/*.dll.loaded; do
        [ -e "$marker" ] || continue
        basename "${marker%.loaded}"
        rm -f "$marker"
    done
}

# remove_stand_ins DIR: takes the stand-ins and their markers out of DIR again.
remove_stand_ins() {
    local dll
    for dll in "${STAND_IN_DLLS[@]}"; do rm -f "$1/$dll.dll" "$1/$dll.dll.loaded"; done
    rm -f "$1/stand_in_program.exe" "$1/stand_in_installer.exe"
}

# check_planted NAME DIR program|installer COMMAND...: with stand-ins planted in DIR, runs first
# the stand-in for the program or the installer there, then COMMAND (which starts the program of
# DIR, or the installer), in the Wine prefix of the environment; prints "ok: ...", "FAILED: ..."
# and "note: ..." lines. A DLL that the stand-in loads too was loaded by Wine before the binary's
# first line: it is named, not counted against the binary.
check_planted() {
    local name="$1" dir="$2" like="$3" wine_own loaded dll status=0
    shift 3
    local WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$(stand_in_overrides)"
    export WINEDLLOVERRIDES
    timeout -k 10 120 wine "$dir/stand_in_$like.exe" > /dev/null 2>&1 || true
    timeout -k 10 120 wineserver -w > /dev/null 2>&1 || true
    wine_own=$(loaded_stand_ins "$dir")
    timeout -k 10 300 "$@" > "$dir.log" 2>&1 || status=$?
    tr -d '\r' < "$dir.log" | sed 's/^/    /'
    rm -f "$dir.log"
    timeout -k 10 120 wineserver -w > /dev/null 2>&1 || true
    loaded=$(loaded_stand_ins "$dir")
    if [ "$status" -eq 0 ]; then echo "ok: $name: ran to its end"; else echo "FAILED: $name: the run ended with status $status"; fi
    local own=0
    for dll in $loaded; do
        if grep -qx "$dll" <<< "$wine_own"; then
            echo "note: $name: $dll from beside it was loaded by Wine before the first line: a stand-in with the same imports that ends there loads it too"
        else
            echo "FAILED: $name: loaded $dll planted beside it"
            own=$((own + 1))
        fi
    done
    [ "$own" -gt 0 ] || echo "ok: $name: loaded none of the ${#STAND_IN_DLLS[@]} DLLs planted beside it of its own doing"
}

# record_planted_subject FILE OUT: (on the build machine) notes in OUT which file a run of the
# guest tries, by its checksum, so that its findings can be told apart from another file's.
record_planted_subject() {
    sha256sum < "$1" | cut -d' ' -f1 > "$2/planted-subject.sha256"
}

# report_planted FINDINGS: counts a run's findings; fails on any failure, or when there are none.
report_planted() {
    local passed failed
    passed=$(grep -c '^ok: ' "$1" 2> /dev/null)
    failed=$(grep -c '^FAILED: ' "$1" 2> /dev/null)
    echo "Planted DLLs: ${passed:-0} passed, ${failed:-0} failed ($1)"
    [ "${failed:-0}" -eq 0 ] && [ "${passed:-0}" -gt 0 ]
}
