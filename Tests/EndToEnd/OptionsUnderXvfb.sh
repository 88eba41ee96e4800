#!/usr/bin/env bash
# The options and the quit question as a player meets them, under a virtual X display with real
# mouse and keyboard input: from the main menu, Options, FullScreen checked, OK: the window becomes
# full screen (as large as the display) and the box, shown again, is still checked; Alt+Enter while
# it is open unchecks the box and OK then changes nothing; then Quit and Yes: the program ends with
# exit code 0, its profile keeping the full screen. Screenshots are kept in CORVANE_SCREENSHOT_DIR when it is
# set. Skipped (exit 77) when Xvfb, openbox, xdotool, xprop, ImageMagick or python3 is missing.
# Usage: OptionsUnderXvfb.sh <path to fennik>
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)

CORVANE_SCRIPT_ARGS=("$@")
source "$(dirname "$0")/UnderXvfb.sh" openbox xdotool xprop python3 import convert compare

source "$here/OneProgram.sh" x11
# A window manager sizes a full-screen window to the display.
source "$here/WindowManager.sh"
trap 'kill "${wm_pids[@]}" 2>/dev/null; finish' EXIT

# The program's window and its size, found again after a display change (which makes a new one).
window_and_size() {
    window=$(find_window)
    [ -n "$window" ] || fail "no window of fennik appeared"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    width=$WIDTH height=$HEIGHT
}

windowed_first_start Ann
"$program" >"$work/output" 2>&1 &
pid=$!
wait_for "TitleMode: the title screen is up" 120 || fail "the title screen never came"
window_and_size
xdotool windowfocus --sync "$window" 2>/dev/null
sleep 1.5 # the start button has risen
click 400 400
wait_for "MainMenuMode: the main menu is up" 20 || fail "Start did not lead to the main menu"
sleep 1.5 # the entrance has played
menu=$(shoot mainmenu options-)

# The button column rests at (250, 100); Options' middle is at (400, 299).
click 400 299
wait_for "MyOptionsMode: the options are up, full screen unchecked" 20 || fail "Options brought no options popup"
sleep 1 # slid into place
options=$(shoot options options-)
# The popup rests at (190, 150): the FullScreen box's middle is at (242, 248), OK's at (311, 404).
click 242 248
sleep 0.5
checked=$(shoot checked options-)
[ "$(apart options checked)" != "0" ] || fail "the FullScreen box did not show its mark"
click 311 404
wait_for "MyOptionsMode: the window mode changed, full screen checked" 20 || fail "OK did not make the window full screen"
sleep 1.5 # slid away
window_and_size
read -r screen_width screen_height < <(xdotool getdisplaygeometry)
[ "$width" -eq "$screen_width" ] && [ "$height" -eq "$screen_height" ] ||
    fail "the full-screen window is ${width}x${height}, the display ${screen_width}x${screen_height}"
full=$(shoot fullscreen options-)

# Opened again, the box shows the mode in force. Alt+Enter while it is open makes the window
# windowed and unchecks the box; OK (Enter is its key) then changes nothing.
click 400 299
wait_for "MyOptionsMode: the options are up, full screen checked" 20 || fail "the box is out of step with the window"
sleep 1
alt_enter
wait_for "MyOptionsMode: the window mode changed, full screen unchecked" 20 || fail "Alt+Enter did not reach the box"
sleep 1
window_and_size
key Return
sleep 1.5
[ "$(grep -c "MyOptionsMode: the window mode changed" "$work/output")" -eq 2 ] || fail "OK changed the display again"
[ "$width" -eq 800 ] || fail "Alt+Enter left a window ${width}x${height}"
# Alt+Enter on the main menu: full screen again, for the profile to keep.
alt_enter
sleep 1.5
window_and_size
[ "$width" -eq "$screen_width" ] || fail "the second Alt+Enter left a window ${width}x${height}"

# Escape is also the main menu's Quit key; the question rests where the options did, Yes at (311, 392).
key Escape
wait_for "QuitConfirmMode: the quit question is up" 20 || fail "Quit brought no question"
sleep 1
question=$(shoot quit options-)
click 311 392
ends_cleanly "Yes was clicked"
grep -q 'name="Corvane::Window::Mode" value="1"' "$XDG_DATA_HOME"/Trevold/Fennik/*.act ||
    fail "the profile does not keep the full screen: $(cat "$XDG_DATA_HOME"/Trevold/Fennik/*.act)"

for shot in "mainmenu $menu" "options $options" "fullscreen $full" "quit $question"; do
    set -- $shot
    blank "$2" && fail "the $1 screenshot is blank (spread $2)"
done
blank "$(apart mainmenu options)" && fail "the options do not show over the main menu"
echo "PASSED: options over the main menu, FullScreen checked and OK made the window full screen" \
    "(${width}x${height}) with the box in step; Quit, Yes: the program exited 0"
