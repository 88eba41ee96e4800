#!/usr/bin/env bash
# An end-to-end script ended in the middle of its run, as CTest's timeout ends it (TERM), ends
# everything it started. WindowOpensAndCloses.sh is run with a stand-in program that never draws
# and never ends, so that the script waits for it; once the stand-in runs, the script is ended,
# and a few seconds later none of its processes is left: not its inner run, not its virtual
# display, not the program. Skipped (exit 77) when Xvfb, xdotool or python3 is missing.
# Usage: EndedScriptsLeaveNothing.sh
set -u
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdotool python3; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
script=
trap '[ -n "$script" ] && kill "$script" 2>/dev/null; rm -rf "$work"' EXIT
printf '#!/bin/sh\nexec sleep 600\n' >"$work/stuck"
chmod +x "$work/stuck"

# Every process below $1.
descendants() {
    local child
    for child in $(pgrep -P "$1"); do
        echo "$child"
        descendants "$child"
    done
}

bash "$here/WindowOpensAndCloses.sh" "$work/stuck" >"$work/script.out" 2>&1 &
script=$!
tree=
for _ in $(seq 300); do
    tree=$(descendants "$script")
    for p in $tree; do
        [ "$(ps -o args= -p "$p" 2>/dev/null)" = "sleep 600" ] && break 2
    done
    kill -0 "$script" 2>/dev/null || { echo "FAILED: the script ended by itself"; cat "$work/script.out"; exit 1; }
    sleep 0.1
done
echo "$tree" | xargs -r ps -o args= -p | grep -q "^Xvfb" || { echo "FAILED: the script started no display"; exit 1; }
echo "$tree" | xargs -r ps -o args= -p | grep -qx "sleep 600" || { echo "FAILED: the stand-in never ran"; exit 1; }

kill -TERM "$script"
for _ in $(seq 50); do
    left=$(for p in $script $tree; do kill -0 "$p" 2>/dev/null && ps -o pid=,args= -p "$p"; done)
    [ -z "$left" ] && break
    sleep 0.1
done
script=
if [ -n "$left" ]; then
    echo "FAILED: 5 s after the script was ended these still run:"
    echo "$left"
    for p in $tree; do kill -KILL "$p" 2>/dev/null; done
    exit 1
fi
echo "PASSED: the ended script left none of its $(echo "$tree" | wc -w) processes (display, inner run, program)"
