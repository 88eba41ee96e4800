#!/usr/bin/env bash
# The first start as a player meets it, under a virtual X display with real mouse and keyboard
# input: the title, Start clicked, the new-profile popup, a name typed and OK clicked, then the main
# menu greeting the new profile, whose file has replaced the default profile's. Screenshots of the
# four screens are kept in CORVANE_SCREENSHOT_DIR when it is set. Skipped (exit 77) when Xvfb,
# xdotool, ImageMagick or python3 is missing. Usage: MenusUnderXvfb.sh <path to fennik>
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
shots=${CORVANE_SCREENSHOT_DIR:-}

CORVANE_SCRIPT_ARGS=("$@")
source "$(dirname "$0")/UnderXvfb.sh" xdotool python3 import convert compare

export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy CORVANE_ERROR_BOX=stderr
export LSAN_OPTIONS="suppressions=$here/SystemLibraries.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# The GL driver of the virtual display keeps buffers the leak checker cannot tell from ours; the
# headless runs of the game check for leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
work=$(mktemp -d)
export XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work"
chmod 700 "$work"
[ -n "$shots" ] && mkdir -p "$shots"
pid=
finish() {
    [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT
fail() {
    echo "FAILED: $*"
    echo "--- program output ---"
    cat "$work/output"
    exit 1
}
wait_for() {
    local deadline=$(($(date +%s) + $2))
    while ! grep -qF -- "$1" "$work/output"; do
        kill -0 "$pid" 2>/dev/null || return 1
        [ "$(date +%s)" -ge "$deadline" ] && return 1
        sleep 0.05
    done
}
# Captures the window into $work/$1.png (kept among the screenshots) and prints its colour spread.
shoot() {
    import -window "$window" "$work/$1.png" 2>/dev/null || fail "could not capture the window"
    [ -n "$shots" ] && cp "$work/$1.png" "$shots/menus-$1.png"
    convert "$work/$1.png" -colorspace Gray -format "%[fx:standard_deviation]" info:
}
# Clicks the left button at a point of the game's 800 x 600 screen, scaled to the window's size.
click() {
    local x=$(($1 * width / 800)) y=$(($2 * height / 600))
    xdotool mousemove --window "$window" "$x" "$y" sleep 0.1 click 1 || fail "could not click at $1,$2"
}
blank() { python3 -c "import sys; sys.exit(0 if float('$1') < 0.02 else 1)"; }
apart() { compare -metric RMSE "$work/$1.png" "$work/$2.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/'; }

# Only the default profile, as on a first start; windowed, because a full-screen window under a
# virtual display without a window manager is not sized as the game asks. The folder is the
# per-user folder of the maker and the product.
mkdir -p "$XDG_DATA_HOME/Trevold/Fennik"
cat >"$XDG_DATA_HOME/Trevold/Fennik/1.act" <<'PROFILE'
<?xml version="1.0" encoding="UTF-8" ?>
<account>
<record name="Corvane::AccountManager::Name" value="TRVL_DEFAULT_PROFILE"/>
<record name="Corvane::AccountManager::IsCurrent" value="true"/>
<record name="Corvane::Window::Mode" value="0"/>
</account>
PROFILE

"$program" >"$work/output" 2>&1 &
pid=$!
window=$(timeout 30 xdotool search --sync --class "^fennik\$" 2>/dev/null | head -n 1)
[ -n "$window" ] || fail "no window of fennik appeared"
wait_for "TitleMode: the title screen is up" 120 || fail "the title screen never came"
eval "$(xdotool getwindowgeometry --shell "$window")"
width=$WIDTH height=$HEIGHT
xdotool windowfocus --sync "$window" 2>/dev/null
sleep 1.5 # the start button has risen
title=$(shoot title)

# The start button bobs between y 362 and 372 (its root); its middle is 34 below that.
click 400 400
wait_for "EditAccountMode: the new-profile popup is up" 20 || fail "Start brought no new-profile popup"
sleep 1 # slid into place
empty=$(shoot popup)
xdotool type --delay 80 "Ann" || fail "could not type"
sleep 0.5
typed=$(shoot name)
[ "$(apart popup name)" != "0" ] || fail "the typed name did not show"

# OK: the popup rests at (190, 150); the button's middle is at (311, 392).
click 311 392
wait_for "MainMenuMode: the main menu is up" 20 || fail "OK did not lead to the main menu"
sleep 1.5 # the entrance has played
menu=$(shoot mainmenu)

profiles=$(find "$work/data" -name '*.act')
[ "$(echo "$profiles" | grep -c .)" -eq 1 ] || fail "expected one profile file, found: $profiles"
grep -q "Ann" $profiles || fail "the profile file does not hold the name Ann"
grep -q "TRVL_DEFAULT_PROFILE" $profiles && fail "the default profile is still there"

python3 "$here/CloseWindow.py" "$window" || fail "could not ask the window to close"
for _ in $(seq 200); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
done
kill -0 "$pid" 2>/dev/null && fail "the program still runs 10 s after its window was closed"
wait "$pid"
code=$?
pid=
[ "$code" -eq 0 ] || fail "the program exited with $code"

for shot in "title $title" "popup $empty" "name $typed" "mainmenu $menu"; do
    set -- $shot
    blank "$2" && fail "the $1 screenshot is blank (spread $2)"
done
blank "$(apart title popup)" && fail "the popup does not show over the title"
blank "$(apart title mainmenu)" && fail "the main menu looks like the title"
echo "PASSED: title, new-profile popup, typed name and main menu drawn; one profile file, Ann's;" \
    "the window closed cleanly"
