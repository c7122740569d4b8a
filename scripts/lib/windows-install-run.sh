#!/bin/bash
# What a Windows user does with the release files, tried under 32-bit Wine from outside: the
# installer installs silently for the user alone, the installed program starts from the Start-menu
# shortcut's target, installing again leaves one entry in the list of installed programs, the
# silent uninstall leaves nothing behind; the program from the zip starts from a folder whose
# path has spaces and letters beyond ASCII; and neither the installer nor the uninstaller loads
# a stand-in DLL planted beside it (planted-dlls.sh). Runs inside the guest, or on a machine whose
# own Wine runs 32-bit programs.
#
#   windows-install-run.sh PREFIX OUT
#
# OUT holds setup.exe, zip/ (the unpacked zip, in a folder of that awkward name), stand-ins/ (the
# stand-in DLLs) and lib/ (the scripts' helpers), and receives the checks ("ok: ..." or
# "FAILED: ..."), a screenshot and "done" when the run finished.
set -u
prefix="$1" out="$2"
for helper in setup display wine-prefix planted-dlls; do source "$out/lib/$helper.sh"; done

started=$(date +%s.%N)
say() { echo "[$(awk -v s="$started" -v n="$(date +%s.%N)" 'BEGIN { printf "%6.1f s", n - s }')] $*"; }
check() {  # check DESCRIPTION COMMAND...
    if "${@:2}" > /dev/null 2>&1; then echo "ok: $1"; else echo "FAILED: $1"; fi
}

prepare_wine_prefix "$prefix" 32 || { say "no Wine prefix"; exit 1; }
# Wine's menu builder would copy shortcuts onto the Linux desktop.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d" LC_ALL=C.UTF-8
# wine_run SECONDS COMMAND...: a Windows program run to its end, and every process it started.
wine_run() {
    local seconds="$1" status=0
    shift
    timeout -k 10 "$seconds" wine "$@" 2> /dev/null || status=$?
    timeout -k 10 "$seconds" wineserver -w > /dev/null 2>&1
    return $status
}

start_virtual_display || exit 1

drive_c="$WINEPREFIX/drive_c"
user_dir=$(ls -d "$drive_c"/users/* | grep -v /Public | head -1)
user=$(basename "$user_dir")
program_dir="$user_dir/AppData/Local/Programs/Quadrell"
shortcut="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Quadrell.lnk"
installed_exe='C:\users\'"$user"'\AppData\Local\Programs\Quadrell\quadrell.exe'
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Quadrell'

# Every file of the prefix but those in temporary folders: the uninstaller runs from a copy of
# itself in the user's one, which it cannot delete while it runs.
prefix_files() { (cd "$drive_c" && find . -not -type d | grep -v -i '^\./users/[^/]*/\(AppData/Local/\)\?Temp/\|^\./windows/temp/' | sort); }
# uninstall_entries: how many entries of the user's list of installed programs are Quadrell's.
# Wine keeps the user's hive in user.reg, a key's path written with doubled backslashes.
uninstall_entries() { grep -c -i -F "[${key//\\/\\\\}]" "$WINEPREFIX/user.reg"; }
# entry_value NAME: one value of the entry, as `reg query` shows it ("TYPE DATA").
entry_value() { awk -v n="$1" '$1 == n { $1 = ""; sub(/^ +/, ""); print }' "$out/entry.txt" | tr -d '\r'; }
# registry_keys HIVE: the keys of one of Wine's hive files (user.reg, system.reg), without times.
registry_keys() { sed -n 's/^\(\[.*\]\).*/\1/p' "$WINEPREFIX/$1" | sort; }
# new_registry_keys HIVE: the keys added to the hive since the install began, one a line.
new_registry_keys() { registry_keys "$1" | comm -13 "$work/$1.before" -; }
# naming_the_program HIVE...: the hives' lines that name the program's folder or its uninstall
# entry (Wine writes every backslash doubled).
naming_the_program() {
    local hive
    for hive in "$@"; do grep -i 'Programs\\\\Quadrell\|Uninstall\\\\Quadrell' "$WINEPREFIX/$hive"; done
}
# shows_window: whether a window captioned "Quadrell" appears within two minutes.
shows_window() {
    for _ in $(seq 240); do
        xwininfo -root -tree 2> /dev/null | grep -q '"Quadrell"' && return 0
        sleep 0.5
    done
    return 1
}
shortcut_target() { tr -d '\0' < "$shortcut" | grep -a -o -i 'C:\\users\\[^:]*\\quadrell\.exe' | head -1; }

work="$(mktemp -d /tmp/quadrell.XXXXXX)"
cp "$out/setup.exe" "$work/setup.exe"
wine_run 120 cmd /c exit > /dev/null 2>&1
before="$work/before.txt"
prefix_files > "$before"
for hive in user.reg system.reg; do registry_keys "$hive" > "$work/$hive.before"; done
say "prefix ready, $(wc -l < "$before") files, user $user"

say "silent install"
check "the installer ends with status 0" wine_run 300 "$work/setup.exe" /S
check "quadrell.exe installed in the user's programs folder" cmp "$program_dir/quadrell.exe" "$out/zip/"*/quadrell.exe
check "LICENSE.txt and README.txt installed beside it" test -s "$program_dir/LICENSE.txt" -a -s "$program_dir/README.txt"
check "an uninstaller beside it" test -s "$program_dir/uninstall.exe"
check "the Start-menu shortcut \"Quadrell\"" test -s "$shortcut"
check "the shortcut's target is the installed quadrell.exe" test "$(shortcut_target)" = "$installed_exe"
wine_run 120 reg query "HKCU\\$key" > "$out/entry.txt"
sed 's/^/    /' "$out/entry.txt" | tr -d '\r'
check "one uninstall entry" test "$(uninstall_entries)" = 1
check 'its DisplayName "Quadrell"' test "$(entry_value DisplayName)" = "REG_SZ Quadrell"
check 'its DisplayVersion "1.00"' test "$(entry_value DisplayVersion)" = "REG_SZ 1.00"
check 'its Publisher "The Quadrell developers"' test "$(entry_value Publisher)" = "REG_SZ The Quadrell developers"
check "its DisplayIcon, the installed program's icon" test "$(entry_value DisplayIcon)" = "REG_SZ $installed_exe,0"
check "its EstimatedSize, in KiB, of the installed files" \
    test "$(( $(entry_value EstimatedSize | awk '{ print $2 }') ))" -ge "$(( $(stat -c %s "$program_dir/quadrell.exe") / 1024 ))"
check "its UninstallString, the uninstaller" grep -q -F "REG_SZ \"${installed_exe%quadrell.exe}uninstall.exe\"" <<< "$(entry_value UninstallString)"
check "its QuietUninstallString, the uninstaller with /S" grep -q -F 'uninstall.exe" /S' <<< "$(entry_value QuietUninstallString)"
new_registry_keys system.reg | sed 's/^/    new in system.reg: /'
check "no key added to the machine's registry" test -z "$(new_registry_keys system.reg)"
check "nothing in the machine's registry names the program" test -z "$(naming_the_program system.reg)"
prefix_files > "$work/after.txt"
comm -13 "$before" "$work/after.txt" > "$work/added.txt"
sed 's/^/    added: /' "$work/added.txt"
check "every file added lies in the user's own folders" bash -c "! grep -v '^\./users/$user/' '$work/added.txt'"

say "the installed program, from the shortcut's target"
timeout -k 5 180 wine "$(shortcut_target)" > /dev/null 2>&1 &
check 'it shows its window "Quadrell"' shows_window
sleep 2
xwd -silent -name Quadrell -out "$out/installed.xwd" 2> /dev/null
stop_wine

say "silent install again"
check "the second install ends with status 0" wine_run 300 "$work/setup.exe" /S
check "still one uninstall entry" test "$(uninstall_entries)" = 1
check "the program still in place" cmp "$program_dir/quadrell.exe" "$out/zip/"*/quadrell.exe

say "silent uninstall, as the entry's QuietUninstallString says"
check "the uninstaller ends with status 0" wine_run 300 "$program_dir/uninstall.exe" /S
check "the program's folder is gone" test ! -e "$program_dir"
check "the shortcut is gone" test ! -e "$shortcut"
check "the uninstall entry is gone" test "$(uninstall_entries)" = 0
prefix_files > "$work/after.txt"
comm -3 "$before" "$work/after.txt" > "$work/left.txt"
sed 's/^/    left: /' "$work/left.txt"
(cd "$drive_c" && find . -ipath '*/temp/*' -newer "$before") | sed 's/^/    left in a temporary folder: /'
check "the prefix holds the same files as before the install" test ! -s "$work/left.txt"
for hive in user.reg system.reg; do new_registry_keys "$hive" | sed "s/^/    new in $hive: /"; done
naming_the_program user.reg system.reg | sed 's/^/    names the program: /'
check "no registry key left that was not there before the install" \
    test -z "$(new_registry_keys user.reg)$(new_registry_keys system.reg)"
check "nothing in the registry names the program's folder or its entry" test -z "$(naming_the_program user.reg system.reg)"

say "the zip's program, from a folder with spaces and letters beyond ASCII"
folder="$(ls "$out/zip")"
mkdir -p "$drive_c/$folder"
cp "$out/zip/$folder/"* "$drive_c/$folder/"
echo "    C:\\$folder\\quadrell.exe"
timeout -k 5 180 wine "C:\\$folder\\quadrell.exe" > /dev/null 2>&1 &
check "it shows its window \"Quadrell\"" shows_window
stop_wine

say "DLLs planted beside the installer in a downloads folder, then beside the uninstaller"
downloads="$work/Downloads"
mkdir -p "$downloads"
cp "$out/setup.exe" "$downloads/"
plant_stand_ins "$out/stand-ins" "$downloads"
check_planted "the silent install" "$downloads" installer wine "$downloads/setup.exe" /S
check "the install with DLLs planted beside it installed the program" test -s "$program_dir/uninstall.exe"
plant_stand_ins "$out/stand-ins" "$program_dir"
check_planted "the silent uninstall" "$program_dir" installer wine "$program_dir/uninstall.exe" /S
check "the uninstall with DLLs planted beside it removed the program" test ! -e "$program_dir/quadrell.exe"
remove_stand_ins "$program_dir"
rmdir "$program_dir" 2> /dev/null
stop_wine

rm -rf "$work"
say "done"
touch "$out/done"
