#!/usr/bin/env bash
# Tries the Windows release files as a user would, under 32-bit Wine: the installer installs,
# starts, installs again and uninstalls silently; the zip's program starts from a folder whose
# path has spaces and letters beyond ASCII; the install and the uninstall load no DLL planted
# beside the installer and the uninstaller (scripts/lib/windows-install-run.sh says what is
# checked). Where this machine runs no 32-bit code, in the Debian guest the 32-bit tests use.
# Ends with "Windows install: N passed, M failed" and fails on any failure.
#   windows_install.sh SETUP.exe WIN32.zip OUT    (a CTest test, run in the source tree)
# OUT receives the run's log and a screenshot of the installed program.
set -euo pipefail
setup="$1" zip="$2" out="$3"
source scripts/lib/setup.sh
source scripts/lib/guest.sh
source scripts/lib/planted-dlls.sh

# host_runs_wine32: true when this machine runs 32-bit Wine itself (its kernel runs 32-bit code
# and the 32-bit Wine loader is installed); the check starts the loader once.
host_runs_wine32() {
    local loader
    loader="$(dpkg -L wine32 2> /dev/null | grep -m1 '/lib/wine/wine$')" || return 1
    [ -x "$loader" ] && timeout 10 "$loader" --version > /dev/null 2>&1
}

rm -rf "$out"
mkdir -p "$out/zip" "$out/lib"
cp scripts/lib/setup.sh scripts/lib/display.sh scripts/lib/wine-prefix.sh scripts/lib/planted-dlls.sh "$out/lib/"
cp "$setup" "$out/setup.exe"
build_stand_ins 32 "$out/stand-ins"
# Spaces, accented Italian letters and a letter no Western code page has.
unzip -q "$zip" -d "$out/zip/Prove di Quadrell – perché è così Łódź"

started=$SECONDS
if host_runs_wine32; then
    echo "== Under this machine's own 32-bit Wine"
    timeout -k 10 1200 bash scripts/lib/windows-install-run.sh "$out/wine32" "$out" > "$out/run.log" 2>&1 || true
else
    echo "== Under 32-bit Wine in a Debian guest (QEMU)"
    guest="$(ensure_guest_image)" || { echo "Windows install: the guest image could not be built"; exit 1; }
    cp scripts/lib/windows-install-run.sh "$out/run.sh"
    boot_guest "$guest" run "$out" 1200 snapshot || echo "QEMU stopped with status $? (124: timed out)"
fi
sed 's/^/    /' "$out/run.log" 2> /dev/null || true
echo "Windows install: $((SECONDS - started)) s in all"
if [ -f "$out/installed.xwd" ]; then
    convert "xwd:$out/installed.xwd" "$out/installed.png" && rm "$out/installed.xwd"
fi

passed=$(grep -c '^ok: ' "$out/run.log" 2> /dev/null || true)
failed=$(grep -c '^FAILED: ' "$out/run.log" 2> /dev/null || true)
echo "Windows install: ${passed:-0} passed, ${failed:-0} failed"
[ -f "$out/done" ] || { echo "The run did not finish: see $out/run.log and $out/console.log"; exit 1; }
[ "${failed:-0}" -eq 0 ] && [ "${passed:-0}" -gt 0 ]
