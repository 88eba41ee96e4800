#!/usr/bin/env bash
# The game under a virtual X display, in a window: screenshots of the window during the loading
# screen's splash and at the title screen, both drawn (not one flat colour) and different from each
# other. The window is then closed as a window manager's close button would. Skipped (exit 77) when Xvfb,
# xdotool, ImageMagick or python3 is missing. Usage: GameScreensUnderXvfb.sh <path to fennik>
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)

CORVANE_SCRIPT_ARGS=("$@")
source "$(dirname "$0")/UnderXvfb.sh" xdotool python3 import convert compare

source "$here/OneProgram.sh" x11
windowed_first_start

"$program" >"$work/output" 2>&1 &
pid=$!
wait_for "Loading resource file: Loading" 60 || fail "loading never began"
window=$(find_window)
[ -n "$window" ] || fail "no window of fennik appeared"
# The first splash picture has faded in.
sleep 1.5
loading=$(shoot loading)
wait_for "TitleMode: the title screen is up" 120 || fail "the title screen never came"
sleep 1
title=$(shoot title)
difference=$(apart loading title)

close_and_wait

blank "$loading" && fail "the loading screen's frame is blank (spread $loading)"
blank "$title" && fail "the title screen's frame is blank (spread $title)"
blank "$difference" && fail "the title screen looks like the loading screen (difference $difference)"
echo "PASSED: loading screen (spread $loading) and title screen (spread $title) drawn, $difference apart;" \
    "the window closed cleanly"
