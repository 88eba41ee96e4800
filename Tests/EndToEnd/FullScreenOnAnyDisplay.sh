#!/usr/bin/env bash
# The first start's full screen as a player meets it on displays of other sizes than the game's
# 800 x 600: on virtual displays of 1280x1024 (no window manager, the software renderer), 1024x768
# (a window manager, the hardware renderer on the display's GL driver) and 1920x1080 (a window
# manager, the software renderer) the whole title screen shows scaled to the largest size that
# keeps its shape, centred between black bars, and matches the windowed frame that Alt+Enter (held
# down a while: one switch) shows; after a second Alt+Enter it is full screen again, and "Start
# cooking" and the name dialog's OK, clicked where they are drawn, lead to the main menu. Skipped (exit 77) when Xvfb,
# openbox, xdotool, ImageMagick or python3 is missing. Usage: FullScreenOnAnyDisplay.sh <path to fennik>
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)

own_displays=1
CORVANE_SCRIPT_ARGS=("$@")
source "$here/UnderXvfb.sh" openbox xdotool python3 import convert compare
source "$here/OneProgram.sh" x11

# The picture's place on a display of $1 x $2: "x y width height" of the largest 4:3 rectangle,
# centred.
picture_area() {
    python3 -c "
w, h = $1, $2
s = min(w / 800, h / 600)
pw, ph = round(800 * s), round(600 * s)
print((w - pw) // 2, (h - ph) // 2, pw, ph)"
}
# The screen point of the game's point ($1, $2).
on_screen() {
    python3 -c "print(round($area_x + ($1 + 0.5) * $area_w / 800), round($area_y + ($2 + 0.5) * $area_h / 600))"
}
click_at() {
    local x y
    read -r x y < <(on_screen "$1" "$2")
    xdotool mousemove "$x" "$y" sleep 0.1 click 1 || fail "could not click at $1,$2 ($x,$y on the screen)"
}
# The program's window and "width height", once there is one of that size.
window_of_size() {
    local w
    for _ in $(seq 200); do
        for w in $(xdotool search --onlyvisible --class "^$(basename "$program")\$" 2>/dev/null); do
            eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)"
            [ "${WIDTH:-0}x${HEIGHT:-0}" = "$1" ] && echo "$w" && return 0
        done
        sleep 0.1
    done
    return 1
}
# Alt+Enter as a player presses it, with the pointer in the middle of the screen (over the game's
# window in either mode, which without a window manager is what gives it the keyboard), and held
# until the game has made its window for the other mode, of the size $1: the keys still down when
# the new window takes the keyboard switch nothing more.
switch_with_alt_enter() {
    xdotool mousemove $((display_w / 2)) $((display_h / 2)) keydown alt+Return || fail "could not press Alt+Enter"
    window_of_size "$1" >/dev/null || { xdotool keyup Return keyup alt; fail "$size: Alt+Enter gave no $1 window"; }
    sleep 0.5
    xdotool keyup Return keyup alt # Enter first: alone it would press the title's button
    sleep 1
    window=$(window_of_size "$1") || fail "$size: Alt+Enter held switched more than once"
}
# Captures the screen into $work/$1.png (kept among the screenshots as fullscreen-$1.png).
shoot_screen() {
    capture root "$work/$1.png" || fail "could not capture the screen"
    [ -n "$shots" ] && cp "$work/$1.png" "$shots/fullscreen-$1.png"
}
# The mean brightness (0 to 1) of the area "width height x y" of picture $1.
brightness() {
    convert "$work/$1.png" -crop "$2x$3+$4+$5" +repage -colorspace Gray -format "%[fx:mean]" info:
}
# Checks screenshot $1: the bars around the picture are black, and the picture is the windowed
# frame $2, both seen at a quarter of the game's size (so that the smoothing of the scaling and the
# title's bobbing button weigh little; a picture 2% off its place is 0.2 away).
check_full_screen() {
    local bars=()
    [ "$area_y" -gt 0 ] && bars+=("$display_w $area_y 0 0" "$display_w $area_y 0 $((area_y + area_h))")
    [ "$area_x" -gt 0 ] && bars+=("$area_x $display_h 0 0" "$area_x $display_h $((area_x + area_w)) 0")
    local bar
    for bar in "${bars[@]}"; do
        read -r bw bh bx by <<<"$bar"
        python3 -c "import sys; sys.exit(0 if float('$(brightness "$1" "$bw" "$bh" "$bx" "$by")') < 0.01 else 1)" ||
            fail "$size: the bar at $bx,$by (${bw}x$bh) of $1 is not black"
    done
    convert "$work/$1.png" -crop "${area_w}x${area_h}+${area_x}+${area_y}" +repage -resize '200x150!' \
        "$work/$1-picture.png"
    convert "$work/$2.png" -resize '200x150!' "$work/$2-small.png"
    local distance
    distance=$(compare -metric RMSE "$work/$1-picture.png" "$work/$2-small.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
    python3 -c "import sys; sys.exit(0 if float('$distance') < 0.08 else 1)" ||
        fail "$size: the picture in $1 is $distance from the windowed frame, not the same screen"
    blank "$(convert "$work/$1-picture.png" -colorspace Gray -format "%[fx:standard_deviation]" info:)" &&
        fail "$size: $1 is blank"
}

run_at() {
    size=$1
    local manager=$2 driver=$3
    read -r display_w display_h <<<"${size/x/ }"
    read -r area_x area_y area_w area_h < <(picture_area "$display_w" "$display_h")
    start_display "$size" || fail "no display of $size"
    wm_pids=()
    [ "$manager" = wm ] && source "$here/WindowManager.sh"
    rm -rf "$XDG_DATA_HOME" # a first start: full screen
    : >"$work/output"        # emptied before the program starts: the last run's lines must not count
    SDL_RENDER_DRIVER=$driver "$program" >"$work/output" 2>&1 &
    pid=$!
    wait_for "TitleMode: the title screen is up" 120 || fail "$size: the title screen never came"
    window=$(window_of_size "$size") || fail "$size: no full-screen window"
    sleep 1.5 # the start button has risen
    shoot_screen "$size-first"

    switch_with_alt_enter 800x600
    capture "$window" "$work/$size-windowed.png" || fail "could not capture the window"
    [ -n "$shots" ] && cp "$work/$size-windowed.png" "$shots/fullscreen-$size-windowed.png"
    switch_with_alt_enter "$size"
    shoot_screen "$size-again"
    check_full_screen "$size-first" "$size-windowed"
    check_full_screen "$size-again" "$size-windowed"

    # The start button's middle is at (400, 400) of the game's screen; OK's, in the name dialog,
    # at (311, 392).
    click_at 400 400
    wait_for "EditAccountMode: the new-profile popup is up" 20 || fail "$size: Start cooking brought no popup"
    sleep 1 # slid into place
    xdotool type --delay 80 "Ann" || fail "could not type"
    click_at 311 392
    wait_for "MainMenuMode: the main menu is up" 20 || fail "$size: OK did not lead to the main menu"
    grep -q "Accepting mode 800x600x32" "$work/output" || fail "$size: the game did not get its 800x600 mode"
    # The software renderer names its screen canvas; the hardware one has none.
    if [ -n "$driver" ]; then
        grep -q "^Canvas2d:" "$work/output" && fail "$size: the hardware renderer did not draw"
    else
        grep -q "^Canvas2d: 800x600x32 - OK" "$work/output" || fail "$size: the software renderer did not draw"
    fi

    # Ends with its display (the program saves and ends with it).
    kill "${wm_pids[@]}" 2>/dev/null
    stop_displays
    wait "$pid" 2>/dev/null
    pid=
}

run_at 1280x1024 none ""
run_at 1024x768 wm opengl
run_at 1920x1080 wm ""
echo "PASSED: at 1280x1024 (no window manager), 1024x768 (the hardware renderer) and 1920x1080 the" \
    "title filled the screen with its shape kept between black bars, matched the windowed frame" \
    "before and after Alt+Enter twice, and Start cooking and OK clicked where drawn led to the main menu"
