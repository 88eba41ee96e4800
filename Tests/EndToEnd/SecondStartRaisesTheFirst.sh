#!/usr/bin/env bash
# A second start of the program, while the first runs minimised, ends at once without a window of
# its own, and the first window comes back: restored and in front. Skipped (exit 77) when Xvfb,
# openbox, xdotool or the X tools are missing.
# Usage: SecondStartRaisesTheFirst.sh <program>
set -u
program=$1
CORVANE_SCRIPT_ARGS=("$@")
source "$(dirname "$0")/UnderXvfb.sh" openbox xdotool xprop xwininfo
source "$(dirname "$0")/Desktop.sh"

"$program" >"$work/first.out" 2>&1 &
first_pid=$!
pids+=($first_pid)
first=$(program_window "$work/first.out") || fail "the first start opened no window"
xdotool windowminimize "$first"
eventually in_state "$first" Iconic || fail "the window could not be minimised"

timeout 20 "$program" >"$work/second.out" 2>&1
code=$?
[ "$code" -eq 0 ] || fail "the second start exited with $code"
eventually in_state "$first" Normal || fail "the first window stayed $(window_state "$first")"
windows=$(xdotool search --onlyvisible --class "^$(basename "$program")\$" | wc -l)
[ "$windows" -eq 1 ] || fail "$windows windows of the program are open"
eventually is_active "$first" || fail "the first window is not in front"
kill -0 "$first_pid" 2>/dev/null || fail "the first instance ended"
echo "PASSED: the second start ended with 0 and the first window is restored and in front"
