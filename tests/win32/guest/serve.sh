#!/usr/bin/env bash
# The guest's side of the tests' command channel, started by its init from the host's share,
# /host: runs each command the host leaves in the channel folder (in_guest.sh), one at a time,
# and leaves its output and exit status beside it, until the host asks it to power off.
#   serve.sh SOURCE CHANNEL     SOURCE: the tree's path on the host; CHANNEL: the channel folder's
#                               path inside it
set -u
source=$1 channel=/host/$2 build=${2%/*}

# The tree at the same path as on the host, so that every test's command line runs as it stands:
# the sources, and the build's Windows executables copied onto the guest's own disk, from which
# Wine reads them whole (from the share, it reads their sections short).
mkdir -p "$source/$build"
(cd /host && tar -cf - --exclude='./build*' --exclude=node_modules --exclude=./.git .) | tar -xf - -C "$source"
(cd "/host/$build" && find . -path ./guest -prune -o -type f \( -name '*.exe' -o -name '*.dll' \) -print0 \
    | tar -cf - --null -T -) | tar -xf - -C "$source/$build"
echo "serve.sh: tree copied in $(cut -d' ' -f1 /proc/uptime) s of uptime"
touch "$channel/ready"

# run_command RUN: runs RUN.command in a session of its own and leaves RUN.output and RUN.status.
# The launcher on the host writes a growing count to RUN.alive while it waits; when the count
# stands still for 20 s, the launcher is gone (CTest's time limit ended it), and so does the
# command, with its Wine processes and their servers, so that the next test does not wait behind it.
run_command() {
    local run=$1 seen= still=0 pid status
    setsid bash "$run.command" > "$run.output" 2>&1 &
    pid=$!
    while kill -0 "$pid" 2> /dev/null; do
        count=$(cat "$run.alive" 2> /dev/null)
        if [ "$count" = "$seen" ]; then still=$((still + 1)); else seen=$count still=0; fi
        if [ "$still" -ge 100 ]; then
            echo "serve.sh: its launcher is gone; the command is ended" >> "$run.output"
            kill -KILL -- "-$pid" 2> /dev/null
            pkill -KILL -x wineserver 2> /dev/null
            break
        fi
        sleep 0.2
    done
    wait "$pid"
    status=$?
    echo "$status" > "$run.status.part"
    mv "$run.status.part" "$run.status"
}

until [ -e "$channel/poweroff" ]; do
    for command in "$channel"/*.command; do
        [ -e "$command" ] || continue
        run_command "${command%.command}"
        rm -f "$command"
    done
    sleep 0.2
done
