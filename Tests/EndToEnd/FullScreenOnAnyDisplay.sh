#!/usr/bin/env bash
# The first start's full screen as a player meets it on displays of other sizes than the game's
# 800 x 600: on virtual displays of 1280x1024 (no window manager, the software renderer), 1024x768
# (a window manager, the hardware renderer on the display's GL driver) and 1920x1080 (a window
# manager, the software renderer) the whole title screen shows scaled to the largest size that
# keeps its shape, centred between black bars, and matches the windowed frame that Alt+Enter (held
# down a while: one switch) shows; after a second Alt+Enter it is full screen again, and "Start
# cooking" and the name dialog's OK, clicked where they are drawn, lead to the main menu; the error
# box that Start cooking brings (the copy played has damaged texts) is transient for the game's
# window and on top. At 1280x1024, at the title and in a level, within 0.5 s of a window closed over
# the game, of the game's window unmapped and mapped again and of the error box answered, the
# screen is the frame the game last drew; Alt+Enter there and back lights the button under the
# pointer. Skipped (exit 77) when Xvfb, openbox, xdotool, xmessage, xprop, ImageMagick or python3
# is missing. Usage: FullScreenOnAnyDisplay.sh <path to fennik>
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)

own_displays=1
CORVANE_SCRIPT_ARGS=("$@")
source "$here/UnderXvfb.sh" openbox xdotool xmessage xprop python3 import convert compare
source "$here/OneProgram.sh" x11
unset CORVANE_ERROR_BOX # the game's own boxes, as a player meets them

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

# A copy of the game ($game), its data linked, whose text file is cut short: the first text the
# game needs (at Start cooking) puts up its error box.
data=$(cd "$(dirname "$program")" && pwd)
game="$work/game/$(basename "$program")" texts=Manifests/LocalizedText.xml folder="$XDG_DATA_HOME/Trevold/Fennik"
mkdir -p "$work/game" && cp -rs "$data"/. "$work/game"/ && rm "$game" "$work/game/$texts" && cp "$program" "$game" &&
    head -c 300 "$data/$texts" >"$work/game/$texts" || fail "could not make a copy with damaged texts"

# Fails ($4) when pictures $1 and $2 differ in more than a 50th of the area "width height x y" ($3).
alike_in() {
    local w h x y differ
    read -r w h x y <<<"$3"
    convert "$1" -crop "${w}x$h+$x+$y" +repage "$work/area-1.png"
    convert "$2" -crop "${w}x$h+$x+$y" +repage "$work/area-2.png"
    differ=$(printf '%.0f' "$(compare -metric AE -fuzz 8% "$work/area-1.png" "$work/area-2.png" null: 2>&1)")
    [ "$differ" -le $((w * h / 50)) ] 2>/dev/null || fail "$size: $4 ($differ of $((w * h)) pixels differ)"
}
# Within 0.5 s of an event ($1) the screen is the frame the game last drew: its window's memory,
# read with the screen while the game is held still (in the area "width height x y" $2, else all).
shows_last_frame() {
    sleep 0.4
    kill -STOP "$pid"
    sleep 0.05 # the server has shown what the game sent before it stopped
    python3 "$here/WindowMemory.py" "$pid" "$display_w" "$display_h" "$work/drawn.ppm" && capture root "$work/shown.png"
    local read=$?
    kill -CONT "$pid"
    [ "$read" -eq 0 ] || fail "$size: the screen or the game's window memory could not be read"
    alike_in "$work/drawn.ppm" "$work/shown.png" "${2:-$display_w $display_h 0 0}" "after $1 the screen is not the game's last frame"
}
# Another program's window put over part of the game and closed; the game's window unmapped and
# mapped again, as minimising and restoring it do ($1: where the game is).
covered_and_uncovered() {
    xmessage -geometry 560x260+60+60 "A window over the game" 2>/dev/null &
    local cover=$!
    timeout 20 xdotool search --sync --onlyvisible --class '^Xmessage$' >/dev/null 2>&1 || fail "$size: no covering window"
    sleep 0.5
    kill "$cover"
    shows_last_frame "a window closed over the game $1" "560 260 60 60"
    xdotool windowunmap "$window" sleep 0.5 windowmap "$window" || fail "could not unmap and map the game's window"
    shows_last_frame "the game's window unmapped and mapped again $1"
}
# The game's error box, once it comes ($1: where): transient for the game's window and on top of it
# (its area mostly its own white); answered, it leaves the game's last frame on the screen (the
# frame is in the game's memory with the software renderer).
box_answered() {
    local box
    box=$(timeout 60 xdotool search --sync --onlyvisible --class '^MessageBox$' 2>/dev/null | head -n 1)
    [ -n "$box" ] || fail "$size: no error box came $1"
    xprop -id "$box" WM_TRANSIENT_FOR | grep -q "# $(printf '0x%x' "$window")\$" ||
        fail "$size: the error box $1 is not transient for the game's window"
    eval "$(xdotool getwindowgeometry --shell "$box")"
    sleep 0.5
    shoot_screen "$size-box-${1##* }"
    [ "$(convert "$work/$size-box-${1##* }.png" -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage -fill black +opaque white \
        -format "%[fx:mean > 0.6]" info:)" = 1 ] || fail "$size: the error box $1 is not on top of the game"
    [ -d "$work/away" ] && rm "$folder" && mv "$work/away" "$folder" # saves work again after the answer
    xdotool key --window "$box" Return || fail "could not answer the box"
    [ -z "$driver" ] && shows_last_frame "the error box $1 was answered" "$WIDTH $HEIGHT $X $Y"
}
# After Alt+Enter there and back at the main menu, Options (at (310, 275), 180 by 48) under the
# pointer in the middle of the screen is lit as it is once the pointer moves.
lit_after_alt_enter() {
    switch_with_alt_enter 800x600
    switch_with_alt_enter "$size"
    capture root "$work/switched.png" && xdotool mousemove_relative 1 1 sleep 0.5 && capture root "$work/moved.png" ||
        fail "could not move the pointer over the button"
    alike_in "$work/switched.png" "$work/moved.png" "$((180 * area_w / 800)) $((48 * area_h / 600)) $(on_screen 310 275)" \
        "after Alt+Enter back the button under the pointer is not lit"
}
# From the main menu into the first level: Play (400, 159), the challenge select's Play (670, 563),
# the cutscene skipped, the intro's seven cards turned with Next (715, 568), the next recipe's popup
# closed. From the intro on the profile folder cannot be written: the level's first tip, kept in the
# profile as it comes, puts up the box of a failed save.
into_a_level() {
    click_at 400 159
    wait_for "LevelSelectMode: the challenge select is up" 20 || fail "$size: Play did not open the challenge select"
    sleep 1
    click_at 670 563
    wait_for "LevelProgressManager: starting the level Level_1_1" 20 || fail "$size: Play started no level"
    sleep 2
    xdotool key Escape
    wait_for "LevelIntroMode: the level intro is up" 20 || fail "$size: no level intro came after the cutscene"
    mv "$folder" "$work/away" && echo "not a folder" >"$folder"
    for _ in 1 2 3 4 5 6 7; do sleep 0.6 && click_at 715 568; done
    wait_for "LevelIntroMode: the level intro closes" 20 || fail "$size: Next did not lead through the level intro"
    sleep 1.5
    click_at 400 300
}

run_at() {
    size=$1
    local manager=$2 driver=$3 covers=${4:-}
    read -r display_w display_h <<<"${size/x/ }"
    read -r area_x area_y area_w area_h < <(picture_area "$display_w" "$display_h")
    start_display "$size" || fail "no display of $size"
    wm_pids=()
    [ "$manager" = wm ] && source "$here/WindowManager.sh"
    rm -rf "$XDG_DATA_HOME" # a first start: full screen
    : >"$work/output"        # emptied before the program starts: the last run's lines must not count
    SDL_RENDER_DRIVER=$driver "$game" >"$work/output" 2>&1 &
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
    [ -n "$covers" ] && covered_and_uncovered "at the title"

    # The start button's middle is at (400, 400) of the game's screen; OK's, in the name dialog,
    # at (311, 392). The popup has no texts: the damaged text file's box came first.
    click_at 400 400
    box_answered "at the title"
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
    if [ -n "$covers" ]; then
        lit_after_alt_enter
        into_a_level
        box_answered "in the level"
        covered_and_uncovered "in the level"
    fi

    # Ends with its display (the program saves and ends with it).
    kill "${wm_pids[@]}" 2>/dev/null
    stop_displays
    wait "$pid" 2>/dev/null
    pid=
}

run_at 1280x1024 none "" covers
run_at 1024x768 wm opengl
run_at 1920x1080 wm ""
echo "PASSED: at 1280x1024 (no window manager), 1024x768 (the hardware renderer) and 1920x1080 the" \
    "title filled the screen with its shape kept between black bars, matched the windowed frame" \
    "before and after Alt+Enter twice, and Start cooking and OK clicked where drawn led to the main menu;" \
    "the screen showed the game again after whatever covered it"
