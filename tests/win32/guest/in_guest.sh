#!/usr/bin/env bash
# The 32-bit Windows tests' launcher: runs a command in the guest that guest_machine.sh started,
# in the folder it is run in here, and passes its output and exit status on. The guest holds the
# tree at the same path as this machine, so the command runs as it stands.
#   in_guest.sh CHANNEL COMMAND...
set -euo pipefail
channel=$1
shift
guest_running() {
    [ -f "$channel/ready" ] && kill -0 "$(cat "$channel/qemu.pid" 2> /dev/null)" 2> /dev/null
}
guest_running || { echo "The guest is not running: the test guest.start starts it"; exit 1; }

run="$channel/$(date +%s%N)-$$"
{
    printf 'mkdir -p %q && cd %q || exit 1\n' "$PWD" "$PWD"
    printf '%q ' "$@"
    echo
} > "$run.part"
mv "$run.part" "$run.command"
# A count that grows while this launcher waits: the guest ends the command when it stops.
alive=0
until [ -f "$run.status" ]; do
    guest_running || { cat "$run.output" 2> /dev/null; echo "The guest stopped during the command"; exit 1; }
    alive=$((alive + 1))
    echo "$alive" > "$run.alive"
    sleep 0.5
done
cat "$run.output"
status=$(cat "$run.status")
rm -f "$run".*
exit "$status"
