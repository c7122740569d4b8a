#!/usr/bin/env bash
# Starts the Debian guest the 32-bit Windows tests run in, or stops it: the fixture "guest".
#   guest_machine.sh start CHANNEL SOURCE    boots it, building its image the first time, with the
#                                            tree SOURCE shared, and waits until it takes commands
#                                            through CHANNEL, a folder inside SOURCE (in_guest.sh)
#   guest_machine.sh stop CHANNEL            powers it off
# The guest outlives the command that starts it: QEMU runs in a session of its own, with nothing
# of the caller's open. Its console: CHANNEL/console.log.
set -euo pipefail
action=$1 channel=$2
source "$(dirname "$0")/../../../scripts/lib/guest.sh"

qemu_running() {
    kill -0 "$(cat "$channel/qemu.pid" 2> /dev/null)" 2> /dev/null
}

stop() {
    touch "$channel/poweroff"
    for _ in $(seq 120); do
        qemu_running || return 0
        sleep 0.5
    done
    kill "$(cat "$channel/qemu.pid")" 2> /dev/null || true
}

case "$action" in
start)
    tree=$3
    [ -d "$channel" ] && stop
    rm -rf "$channel"
    mkdir -p "$channel"
    image=$(cd "$(dirname "$0")/../../.." && ensure_guest_image)
    guest_qemu "$image" serve "$tree" "$channel/console.log" snapshot \
        "quadrell.source=$tree" "quadrell.channel=${channel#"$tree"/}"
    "${GUEST_QEMU[@]}" -daemonize -pidfile "$channel/qemu.pid" < /dev/null > "$channel/qemu.log" 2>&1
    started=$SECONDS
    until [ -f "$channel/ready" ]; do
        qemu_running && [ $((SECONDS - started)) -lt 900 ] || {
            echo "The guest did not come up; its console:"; tail -30 "$channel/console.log"; exit 1; }
        sleep 1
    done
    echo "The guest takes commands, $((SECONDS - started)) s after it was started"
    ;;
stop) stop ;;
esac
