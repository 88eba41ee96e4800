#!/usr/bin/env bash
# The game under a virtual X display, in a window: screenshots of the window during the loading
# screen's splash and at the title screen, both drawn (not one flat colour) and different from each
# other. The window is then closed as a window manager's close button would. Skipped (exit 77) when Xvfb,
# xdotool, ImageMagick or python3 is missing. Usage: GameScreensUnderXvfb.sh <path to fennik>
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
shots=${CORVANE_SCREENSHOT_DIR:-}

CORVANE_SCRIPT_ARGS=("$@")
source "$(dirname "$0")/UnderXvfb.sh" xdotool python3 import convert compare

export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy CORVANE_ERROR_BOX=stderr
export LSAN_OPTIONS="suppressions=$here/SystemLibraries.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# The GL driver of the virtual display keeps buffers the leak checker cannot tell from ours; the
# headless run of the game checks for leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
work=$(mktemp -d)
export XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work"
chmod 700 "$work"
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
# Captures the window into $1 and prints its colour spread (0 for one flat colour).
shoot() {
    import -window "$window" "$1" 2>/dev/null || fail "could not capture the window"
    [ -n "$shots" ] && cp "$1" "$shots/"
    convert "$1" -colorspace Gray -format "%[fx:standard_deviation]" info:
}

# A player's profile that asks for a window (a virtual display without a window manager does not
# fit a full-screen window to the screen).
mkdir -p "$XDG_DATA_HOME/Trevold/Fennik"
cat >"$XDG_DATA_HOME/Trevold/Fennik/1.act" <<'XML'
<?xml version="1.0" encoding="UTF-8" ?>
<account>
<record name="Corvane::AccountManager::Name" value="TRVL_DEFAULT_PROFILE"/>
<record name="Corvane::AccountManager::IsCurrent" value="true"/>
<record name="Corvane::Window::Mode" value="0"/>
</account>
XML

"$program" >"$work/output" 2>&1 &
pid=$!
window=$(timeout 30 xdotool search --sync --class "^fennik\$" 2>/dev/null | head -n 1)
[ -n "$window" ] || fail "no window of fennik appeared"
wait_for "Loading resource file: Loading" 60 || fail "loading never began"
# The first splash picture has faded in.
sleep 1.5
loading=$(shoot "$work/loading.png")
wait_for "TitleMode: the title screen is up" 120 || fail "the title screen never came"
sleep 1
title=$(shoot "$work/title.png")
difference=$(compare -metric RMSE "$work/loading.png" "$work/title.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')

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

blank() { python3 -c "import sys; sys.exit(0 if float('$1') < 0.02 else 1)"; }
blank "$loading" && fail "the loading screen's frame is blank (spread $loading)"
blank "$title" && fail "the title screen's frame is blank (spread $title)"
blank "$difference" && fail "the title screen looks like the loading screen (difference $difference)"
echo "PASSED: loading screen (spread $loading) and title screen (spread $title) drawn, $difference apart;" \
    "the window closed cleanly"
