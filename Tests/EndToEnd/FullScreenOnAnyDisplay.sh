#!/usr/bin/env bash
# The first start's full screen as a player meets it on displays of other sizes than the game's
# 800 x 600: on virtual displays of 1280x1024 (no window manager, the software renderer), 1024x768
# (a window manager, the hardware renderer on the display's GL driver) and 1920x1080 (a window
# manager, the software renderer) the whole title screen shows scaled to the largest size that
# keeps its shape, centred between black bars, and matches the windowed frame that Alt+Enter (held
# down a while: one switch) shows; after a second Alt+Enter it is full screen again, and "Start
# cooking" and the name dialog's OK, clicked where they are drawn, lead to the main menu.
# Whatever covers the full-screen game, the screen shows the game again: at 1280x1024 (no window
# manager), at the title and in a level, within 0.5 s of a window closed over the game, of the
# game's window unmapped and mapped again, and of the game's error box answered (a damaged text
# file at the title, a profile that cannot be saved in the level), the screen is the frame the game
# last drew; and after Alt+Enter back to full screen, the main menu's button under the pointer is
# lit without a move. Under the window manager (1920x1080) the box shows over the full-screen game.
# Skipped (exit 77) when Xvfb, openbox, xdotool, xmessage, ImageMagick or python3 is missing.
# Usage: FullScreenOnAnyDisplay.sh <path to fennik>
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

# A copy of the game ($game) whose text file is cut short inside its first comment: the first text
# the game needs (at Start cooking) puts up its error box. The rest of the data is linked.
data=$(cd "$(dirname "$program")" && pwd)
game="$work/game/$(basename "$program")"
texts=Manifests/LocalizedText.xml
mkdir -p "$work/game"
cp -rs "$data"/. "$work/game"/
rm "$game" "$work/game/$texts"
cp "$program" "$game"
python3 -c "import sys; t = open(sys.argv[1], 'rb').read(); open(sys.argv[2], 'wb').write(t[:t.index(b'<!--') + 5])" \
    "$data/$texts" "$work/game/$texts" || fail "could not damage $texts"
folder="$XDG_DATA_HOME/Trevold/Fennik"

# How many pixels of the area "width height x y" ($3) differ between pictures $1 and $2 (a whole
# number; compare writes large ones as 1.2e+06).
differing_pixels() {
    local w h x y
    read -r w h x y <<<"$3"
    convert "$1" -crop "${w}x$h+$x+$y" +repage "$work/area-1.png"
    convert "$2" -crop "${w}x$h+$x+$y" +repage "$work/area-2.png"
    printf '%.0f' "$(compare -metric AE -fuzz 8% "$work/area-1.png" "$work/area-2.png" null: 2>&1)"
}
# Checks, within 0.5 s of an event ($1 says which), that the screen shows the frame the game last
# drew: its window's memory (WindowMemory.py), with the game held still while both are read. They
# may differ in 2% of the area "width height x y" ($2, the whole screen when not given): what the
# game animated between its last present and its stop.
shows_last_frame() {
    local area=${2:-"$display_w $display_h 0 0"} w h x y differ
    sleep 0.4
    kill -STOP "$pid"
    sleep 0.05 # the server has shown what the game sent before it stopped
    python3 "$here/WindowMemory.py" "$pid" "$display_w" "$display_h" "$work/drawn.ppm" ||
        { kill -CONT "$pid"; fail "$size: the game's window memory could not be read"; }
    capture root "$work/shown.png" || { kill -CONT "$pid"; fail "could not capture the screen"; }
    kill -CONT "$pid"
    read -r w h x y <<<"$area"
    differ=$(differing_pixels "$work/drawn.ppm" "$work/shown.png" "$area")
    if ! [ "$differ" -le $((w * h / 50)) ] 2>/dev/null; then
        [ -n "$shots" ] && cp "$work/shown.png" "$shots/fullscreen-$size-stale.png"
        fail "$size: after $1 the screen differs from the game's last frame in $differ of $((w * h)) pixels"
    fi
}
# "width height x y" of window $1.
geometry_of() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$WIDTH $HEIGHT $X $Y"
}
# A window of another program put over part of the game, then closed ($1: where the game is).
cover_and_close() {
    xmessage -geometry 560x260+60+60 "A window over the game" 2>/dev/null &
    local cover=$! window
    window=$(timeout 20 xdotool search --sync --onlyvisible --class '^Xmessage$' 2>/dev/null | head -n 1)
    [ -n "$window" ] || fail "$size: the covering window did not come"
    local area
    area=$(geometry_of "$window")
    sleep 0.5
    kill "$cover"
    wait "$cover" 2>/dev/null
    shows_last_frame "a window closed over $1" "$area"
}
# The game's window unmapped and mapped again, as minimising and restoring it do ($1: where).
unmap_and_map() {
    xdotool windowunmap "$window" || fail "could not unmap the game's window"
    sleep 0.5
    xdotool windowmap "$window" || fail "could not map the game's window"
    shows_last_frame "its window unmapped and mapped again $1"
}
# The game's error box, once it comes: transient for the game's window, it shows over the
# full-screen game (its area mostly its own white), and, answered, leaves the game's last frame on
# the screen (checked where the game shows its frames in its own memory: the software renderer).
# $1: where.
box_answered() {
    local box area w h x y white
    box=$(timeout 60 xdotool search --sync --onlyvisible --class '^MessageBox$' 2>/dev/null | head -n 1)
    [ -n "$box" ] || fail "$size: no error box came $1"
    area=$(geometry_of "$box")
    read -r w h x y <<<"$area"
    xprop -id "$box" WM_TRANSIENT_FOR | grep -q "# $(printf '0x%x' "$window")\$" ||
        fail "$size: the error box $1 is not transient for the game's window: $(xprop -id "$box" WM_TRANSIENT_FOR)"
    sleep 0.5
    shoot_screen "$size-box-${1##* }"
    white=$(convert "$work/$size-box-${1##* }.png" -crop "${w}x$h+$x+$y" +repage -fill black +opaque white \
        -format "%[fx:mean]" info:)
    python3 -c "import sys; sys.exit(0 if float('$white') > 0.6 else 1)" ||
        fail "$size: the error box $1 is not on top of the game (its area is $white white)"
    # A profile folder taken away comes back first: the game saves again after the answer.
    [ -d "$work/away" ] && rm "$folder" && mv "$work/away" "$folder"
    xdotool key --window "$box" Return || fail "could not answer the box"
    [ -z "$driver" ] && shows_last_frame "the error box $1 was answered" "$area"
}
# Alt+Enter to the window and back at the main menu, the pointer in the middle of the screen, over
# its Options button (at (310, 275), 180 by 48): lit as it is once the pointer moves.
lit_after_alt_enter() {
    local x y w h differ
    read -r x y < <(on_screen 310 275)
    local area="$((180 * area_w / 800)) $((48 * area_h / 600)) $x $y"
    switch_with_alt_enter 800x600
    switch_with_alt_enter "$size"
    capture root "$work/switched.png" || fail "could not capture the screen"
    xdotool mousemove_relative 1 1 || fail "could not move the pointer"
    sleep 0.5
    capture root "$work/moved.png" || fail "could not capture the screen"
    read -r w h x y <<<"$area"
    differ=$(differing_pixels "$work/switched.png" "$work/moved.png" "$area")
    [ "$differ" -lt $((w * h / 20)) ] 2>/dev/null ||
        fail "$size: after Alt+Enter back the button under the pointer is not lit ($differ pixels differ)"
}
# From the main menu into the first level: Play (its middle at (400, 159)), the challenge select's
# Play (670, 563), the episode's cutscene skipped, the level intro's seven cards turned with Next
# (715, 568), the next recipe's popup closed with a click. From the intro on the profile folder
# cannot be written: the level's first tip, kept in the profile as it comes, puts up the box of a
# failed save.
into_a_level() {
    click_at 400 159
    wait_for "LevelSelectMode: the challenge select is up" 20 || fail "$size: Play did not open the challenge select"
    sleep 1
    click_at 670 563
    wait_for "LevelProgressManager: starting the level Level_1_1" 20 || fail "$size: Play started no level"
    sleep 2
    xdotool key Escape || fail "could not press Escape"
    wait_for "LevelIntroMode: the level intro is up" 20 || fail "$size: no level intro came after the cutscene"
    sleep 1
    mv "$folder" "$work/away" && echo "not a folder" >"$folder"
    for _ in 1 2 3 4 5 6 7; do
        click_at 715 568
        sleep 0.6
    done
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
    if [ -n "$covers" ]; then
        cover_and_close "the title"
        unmap_and_map "at the title"
    fi

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
        cover_and_close "the level"
        unmap_and_map "in the level"
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
    "before and after Alt+Enter twice, the error box showed on top, and Start cooking and OK clicked" \
    "where drawn led to the main menu; at 1280x1024, at the title and in a level, a window closed over" \
    "the game, the game unmapped and mapped again and the error box answered each left the game's last" \
    "frame on the screen within 0.5 s, and Alt+Enter back lit the button under the pointer"
