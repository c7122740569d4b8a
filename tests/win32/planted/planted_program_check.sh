#!/usr/bin/env bash
# Starts the program from a downloads folder with the stand-in DLLs planted beside it, asks it for
# its accessible objects from outside and closes it (check_planted, scripts/lib/planted-dlls.sh);
# fails when it loaded any of them of its own doing. Run in Wine's environment.
#   planted_program_check.sh STAND_INS PROGRAM PROBE    STAND_INS: the folder of stand_in.dll and
#                                                       stand_in_program.exe
set -uo pipefail
source "$(dirname "$0")/../../../scripts/lib/planted-dlls.sh"
stand_ins=$1 program=$2 probe=$3
downloads=$(mktemp -d /var/tmp/quadrell-downloads.XXXXXX)
trap 'rm -rf "$downloads" "$downloads.txt"' EXIT
cp "$program" "$downloads/quadrell.exe"
for dll in "${STAND_IN_DLLS[@]}"; do cp "$stand_ins/stand_in.dll" "$downloads/$dll.dll"; done
cp "$stand_ins/stand_in_program.exe" "$downloads/"
check_planted quadrell.exe "$downloads" program wine "$probe" "Z:$downloads/quadrell.exe" | tee "$downloads.txt"
report_planted "$downloads.txt"
