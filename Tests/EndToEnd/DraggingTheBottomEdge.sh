#!/usr/bin/env bash
# Dragging the bottom edge of the window's frame with the mouse changes its height, and once the
# drag ends the width follows so that the outer size keeps the aspect of an 800 x 600 window (the
# program's sizing mode 1). Skipped (exit 77) when Xvfb, openbox, xdotool or the X tools are missing.
# Usage: DraggingTheBottomEdge.sh <program>
set -u
program=$1
CORVANE_SCRIPT_ARGS=("$@")
source "$(dirname "$0")/UnderXvfb.sh" openbox xdotool xprop xwininfo
source "$(dirname "$0")/Desktop.sh"

"$program" >"$work/program.out" 2>&1 &
pids+=($!)
window=$(program_window "$work/program.out") || fail "no window opened"
read -r x y width height < <(client_geometry "$window")
[ "${width}x$height" = 800x600 ] || fail "the window opened at ${width}x$height"

# The bottom edge lies just below the client area; drag it 120 pixels up.
edge_x=$((x + width / 2))
edge_y=$((y + height + 2))
xdotool mousemove --sync "$edge_x" "$edge_y"
xdotool mousedown 1
for step in $(seq 1 12); do
    xdotool mousemove --sync "$edge_x" $((edge_y - step * 10))
    sleep 0.05
done
xdotool mouseup 1

# The platform's frame is 4 pixels on each side and 22 more on top: an 800 x 600 window is
# 808 x 630 outside. The new outer width is the new outer height times 808 / 630, truncated.
expect_height=480
expect_width=$(( (expect_height + 30) * 808 / 630 - 8 ))
settled() {
    read -r _ _ width height < <(client_geometry "$window")
    [ "$height" -eq "$expect_height" ] && [ "$width" -eq "$expect_width" ]
}
eventually settled || fail "after the drag the window is ${width}x$height, not ${expect_width}x$expect_height"
echo "PASSED: dragging the bottom edge made the window ${width}x$height"
