#!/usr/bin/env bash
# The program's real renderers draw its frames in its window: the hardware renderer on the GL
# driver of the virtual display when SDL_RENDER_DRIVER asks for it, the software one by default
# (that GL driver draws on the processor, at a higher cost than the software renderer). A captured frame
# shows the test application's pattern: four coloured quarters and a white disc. The window has
# the program's icon. Skipped (exit 77) when Xvfb, openbox, xdotool, ImageMagick or the X tools
# are missing.
# Usage: RenderersDrawInTheProgram.sh <program>
set -u
program=$1
CORVANE_SCRIPT_ARGS=("$@")
source "$(dirname "$0")/UnderXvfb.sh" openbox xdotool xprop xwininfo import convert
source "$(dirname "$0")/Desktop.sh"

pixel() {
    convert "$1" -format "%[pixel:p{$2,$3}]" info:
}

for run in "D3D7 opengl" "DDraw7"; do
    read -r renderer driver <<<"$run"
    SDL_RENDER_DRIVER=$driver "$program" >"$work/$renderer.out" 2>&1 &
    pid=$!
    pids+=($pid)
    window=$(program_window "$work/$renderer.out") || fail "no window drew ($run)"
    grep -q "^renderer: $renderer\$" "$work/$renderer.out" || fail "expected the $renderer renderer"
    sleep 0.5 # a few more frames
    frame="$work/$renderer.png"
    capture "$window" "$frame" || fail "could not capture the window"
    [ "$(convert "$frame" -format "%wx%h" info:)" = 800x600 ] || fail "the frame is not 800x600"
    for spot in "100 100 srgb(255,0,0)" "700 100 srgb(0,255,0)" "100 500 srgb(0,0,255)" \
                "700 500 srgb(255,255,0)" "400 300 srgb(255,255,255)"; do
        read -r px py color <<<"$spot"
        got=$(pixel "$frame" "$px" "$py")
        [ "$got" = "$color" ] || fail "$renderer drew $got at $px,$py, not $color"
    done
    xprop -id "$window" _NET_WM_ICON | grep -q "Icon (32 x 32)" || fail "the window has no 32 x 32 icon"
    kill "$pid"
    wait "$pid" 2>/dev/null
done
echo "PASSED: both renderers drew the pattern, and the window has its icon"
