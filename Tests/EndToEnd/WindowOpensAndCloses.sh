#!/usr/bin/env bash
# Under a virtual X display without 3D (SDL's software renderer) the program falls back to the
# software renderer, opens its titled 800 x 600 window and ends cleanly when the window is asked
# to close. Skipped (exit 77) when Xvfb, xdotool or python3 is missing.
# Usage: WindowOpensAndCloses.sh <program>
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
title="Fennik Window Test"

CORVANE_SCRIPT_ARGS=("$@")
source "$(dirname "$0")/UnderXvfb.sh" xdotool python3

source "$here/OneProgram.sh" x11
"$program" >"$work/output" 2>&1 &
pid=$!

# The window that draws: a renderer that cannot start takes its window along, and the program
# names the renderer that drew its first frame.
for _ in $(seq 200); do
    grep -q "^renderer: " "$work/output" && break
    sleep 0.1
done
grep -q "^renderer: DDraw7" "$work/output" || fail "the software renderer did not draw"
# Found by its class (the program's name): this xdotool cannot match UTF-8 window names.
class=$(basename "$program")
window=$(timeout 20 xdotool search --sync --onlyvisible --class "^$class\$" 2>/dev/null | head -n 1)
[ -n "$window" ] || fail "no window of $class appeared"
name=$(xdotool getwindowname "$window")
[ "$name" = "$title" ] || fail "the window is titled \"$name\""
geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/^ *Geometry: *//p')
[ "$geometry" = "800x600" ] || fail "the window is $geometry, not 800x600"
kill -0 "$pid" 2>/dev/null || fail "the program ended by itself"

close_and_wait
echo "PASSED: \"$title\" opened at $geometry and ended cleanly when closed"
