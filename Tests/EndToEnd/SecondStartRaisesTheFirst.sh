#!/usr/bin/env bash
# A second start of the program, while the first runs minimised, ends at once without a window of
# its own, and the first window comes back: restored and in front. So too when the second start
# has another runtime folder or none (as after su - or ssh), the profiles' folder being the same.
# Skipped (exit 77) when Xvfb, openbox, xdotool or the X tools are missing.
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

mkdir -m 700 "$work/elsewhere"
for runtime in same "XDG_RUNTIME_DIR=$work/elsewhere" "-u XDG_RUNTIME_DIR"; do
    xdotool windowminimize "$first"
    eventually in_state "$first" Iconic || fail "the window could not be minimised"
    [ "$runtime" = same ] && second=("$program") || second=(env $runtime "$program")
    timeout 20 "${second[@]}" >"$work/second.out" 2>&1
    code=$?
    [ "$code" -eq 0 ] || fail "the second start ($runtime) exited with $code"
    eventually in_state "$first" Normal || fail "the first window stayed $(window_state "$first") ($runtime)"
    windows=$(xdotool search --onlyvisible --class "^$(basename "$program")\$" | wc -l)
    [ "$windows" -eq 1 ] || fail "$windows windows of the program are open ($runtime)"
    eventually is_active "$first" || fail "the first window is not in front ($runtime)"
done
kill -0 "$first_pid" 2>/dev/null || fail "the first instance ended"
echo "PASSED: second starts with the same, another and no runtime folder each ended with 0, and the first" \
    "window came back restored and in front"
