#!/usr/bin/env bash
# The first start as a player meets it, under a virtual X display with real mouse and keyboard
# input: the title, Start clicked, the new-profile popup, a name typed and OK clicked, then the main
# menu greeting the new profile, whose file has replaced the default profile's; then the help, a
# topic picked and left, the credits, a page turned and left; then Play, the challenge select, its
# Play, the episode's intro cutscene, skipped, the level intro's cards clicked through with Next,
# and the level screen, where the first step is sent and served with a vegetable dragged from the
# pantry by mouse; then the way out: the pause menu, its Challenge Select, the challenge select's
# Main Menu, the options with FullScreen checked and cancelled, the help and back, Quit and Yes, the
# program ending with exit code 0. Screenshots of the screens are kept in CORVANE_SCREENSHOT_DIR
# when it is set. Skipped (exit 77) when Xvfb, xdotool, ImageMagick or python3 is missing. Usage: MenusUnderXvfb.sh <path to fennik>
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)

CORVANE_SCRIPT_ARGS=("$@")
source "$(dirname "$0")/UnderXvfb.sh" xdotool python3 import convert compare

source "$here/OneProgram.sh" x11

windowed_first_start

"$program" >"$work/output" 2>&1 &
pid=$!
wait_for "TitleMode: the title screen is up" 120 || fail "the title screen never came"
window=$(find_window)
[ -n "$window" ] || fail "no window of fennik appeared"
eval "$(xdotool getwindowgeometry --shell "$window")"
width=$WIDTH height=$HEIGHT
xdotool windowfocus --sync "$window" 2>/dev/null
sleep 1.5 # the start button has risen
title=$(shoot title menus-)

# The start button bobs between y 362 and 372 (its root); its middle is 34 below that.
click 400 400
wait_for "EditAccountMode: the new-profile popup is up" 20 || fail "Start brought no new-profile popup"
sleep 1 # slid into place
empty=$(shoot popup menus-)
xdotool type --delay 80 "Ann" || fail "could not type"
sleep 0.5
typed=$(shoot name menus-)
[ "$(apart popup name)" != "0" ] || fail "the typed name did not show"

# OK: the popup rests at (190, 150); the button's middle is at (311, 392).
click 311 392
wait_for "MainMenuMode: the main menu is up" 20 || fail "OK did not lead to the main menu"
sleep 1.5 # the entrance has played
menu=$(shoot mainmenu menus-)

# The help through its hot key: the basics first, then the Tips tab (its middle at 142, 74)
# clicked; Back's hot key returns to the main menu.
xdotool key --window "$window" F1 || fail "could not press F1"
wait_for "HelpMode: the help is up" 20 || fail "F1 on the main menu brought no help"
sleep 0.5
basics=$(shoot help menus-)
click 142 74
sleep 0.5
tips=$(shoot helptips menus-)
xdotool key --window "$window" Escape || fail "could not press Escape"
sleep 1
back=$(shoot helpback menus-)

# The credits: the button's middle is at (400, 229) with the board in place; the right arrow's hot
# key turns a page; the main menu button's hot key brings a new main menu, without its entrance.
click 400 229
wait_for "CreditsMode: the credits are up" 20 || fail "the Credits button brought no credits"
sleep 0.5
credits=$(shoot credits menus-)
xdotool key --window "$window" Right || fail "could not press Right"
sleep 0.5
turned=$(shoot creditspage menus-)
xdotool key --window "$window" Escape || fail "could not press Escape"
deadline=$(($(date +%s) + 20))
until [ "$(grep -cF "MainMenuMode: the main menu is up" "$work/output")" -ge 2 ]; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "the credits did not lead back to the main menu"
    sleep 0.1
done

sleep 0.5
again=$(shoot mainmenu2 menus-)

# Play: the main menu's button column rests at (250, 100); Play's middle is at (400, 159).
click 400 159
wait_for "LevelSelectMode: the challenge select is up" 20 || fail "Play did not open the challenge select"
sleep 1
select=$(shoot challenges menus-)
# The challenge select's Play, at (570, 532), 200 by 62: the first challenge, with its cutscene.
click 670 563
wait_for "LevelProgressManager: starting the level Level_1_1" 20 || fail "Play did not start the first challenge"
sleep 2 # the characters have walked in
cutscene=$(shoot cutscene menus-)
xdotool key --window "$window" Escape || fail "could not press Escape"
wait_for "LevelIntroMode: the level intro is up" 20 || fail "no level intro came after the cutscene"
sleep 1
intro=$(shoot intro menus-)
# The intro's Next, at (650, 546), 130 by 44, after the title card: three host lines (the last
# names the goal), the flavour, the combos and the ready line, then the intro closes.
for card in 1 2 3 4; do
    click 715 568
    sleep 0.6
done
flavor=$(shoot introflavor menus-)
for card in 5 6 7; do
    click 715 568
    sleep 0.6
done
wait_for "LevelIntroMode: the level intro closes" 20 || fail "Next did not lead through the level intro"
sleep 1
kitchen=$(shoot kitchen menus-)

# The kitchen by mouse: the next-recipe popup closed with a click, the first step sent with
# "Cook next" (its middle at (76, 228)), then the pantry's first bin, a vegetable (its middle at
# (300, 98)), picked up; its picture follows the pointer and is dropped on the vegetable step's
# request card under its stove (the first two stations' cards are centred at (423, 545) and
# (569, 545); a press on a step of another kind keeps the ingredient picked up).
# A new player's tips come up as bubbles meanwhile: Enter turns their pages and closes them.
read_tips() {
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        key Return
        sleep 0.3
    done
}
sleep 1.5
click 400 300
sleep 0.5
read_tips
click 76 228
sleep 2.5 # the step has flown to its station
read_tips
xdotool mousemove --window "$window" $((300 * width / 800)) $((98 * height / 600))
sleep 1 # the bin's name pops up once the pointer has rested
named=$(shoot binname menus-)
click 300 98
xdotool mousemove --window "$window" $((300 * width / 800)) $((200 * height / 600))
sleep 0.5
dragging=$(shoot dragging menus-)
click 423 545
if ! wait_for "IngredientStepDisplay: Tomato serves a step of category 0" 3 &&
    ! wait_for "IngredientStepDisplay: Onion serves a step of category 0" 1; then
    click 569 545
    wait_for "serves a step of category 0" 5 || fail "the dragged vegetable served no step"
fi
sleep 0.5
served=$(shoot served menus-)

profiles=$(find "$work/data" -name '*.act')
[ "$(echo "$profiles" | grep -c .)" -eq 1 ] || fail "expected one profile file, found: $profiles"
grep -q "Ann" $profiles || fail "the profile file does not hold the name Ann"
grep -q "TRVL_DEFAULT_PROFILE" $profiles && fail "the default profile is still there"

# The way out: Escape pauses the level (the pause menu slides to (190, 150), its buttons 180 by 48:
# Challenge Select's middle at (498, 312)); the challenge select's Main Menu at (95, 562); the main
# menu without its entrance, Options at (400, 299); the options' FullScreen box at (242, 248), Cancel
# at (485, 404); Help at (400, 439) and its Back at (400, 562); Quit at (400, 509), Yes at (311, 392).
wait_count() {
    local deadline=$(($(date +%s) + $3))
    until [ "$(grep -cF -- "$1" "$work/output")" -ge "$2" ]; do
        kill -0 "$pid" 2>/dev/null || return 1
        [ "$(date +%s)" -ge "$deadline" ] && return 1
        sleep 0.05
    done
}
read_tips
key Escape
wait_for "InGameMenuMode: the pause menu is up" 20 || fail "Escape did not pause the level"
sleep 1.5 # slid into place
paused=$(shoot pause menus-)
click 498 312
wait_count "LevelSelectMode: the challenge select is up" 2 20 || fail "Challenge Select did not open the challenge select"
sleep 1
select2=$(shoot challenges2 menus-)
click 95 562
wait_count "MainMenuMode: the main menu is up" 3 20 || fail "Main Menu did not lead to the main menu"
sleep 1
menu3=$(shoot mainmenu3 menus-)
click 400 299
wait_for "MyOptionsMode: the options are up, full screen unchecked" 20 || fail "Options brought no options popup"
sleep 1.5 # slid into place
options=$(shoot options menus-)
click 242 248
sleep 0.5
changed=$(shoot optionschanged menus-)
click 485 404
xdotool mousemove --window "$window" $((95 * width / 800)) $((562 * height / 600)) # off every button
sleep 1.5 # slid away
grep -qF "MyOptionsMode: the window mode changed" "$work/output" && fail "Cancel changed the window mode"
cancelled=$(shoot cancelled menus-)
click 400 439
wait_count "HelpMode: the help is up" 2 20 || fail "Help brought no help"
sleep 1
help2=$(shoot help2 menus-)
click 400 562
# The help's leaving logs nothing: the screen is watched until it is the main menu again.
deadline=$(($(date +%s) + 20))
until back2=$(shoot helpback2 menus-) && blank "$(apart cancelled helpback2)"; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "Back did not return from the help to the main menu"
    sleep 0.3
done
click 400 509
wait_for "QuitConfirmMode: the quit question is up" 20 || fail "Quit brought no question"
sleep 1.5 # slid into place
question=$(shoot quit menus-)
click 311 392
ends_cleanly "Yes was clicked"

for shot in "title $title" "popup $empty" "name $typed" "mainmenu $menu" "help $basics" "helptips $tips" \
    "credits $credits" "creditspage $turned" "mainmenu2 $again" "challenges $select" "cutscene $cutscene" \
    "intro $intro" "introflavor $flavor" "kitchen $kitchen" "binname $named" "dragging $dragging" "served $served" \
    "pause $paused" "challenges2 $select2" "mainmenu3 $menu3" "options $options" "optionschanged $changed" \
    "cancelled $cancelled" "help2 $help2" "quit $question"; do
    set -- $shot
    blank "$2" && fail "the $1 screenshot is blank (spread $2)"
done
blank "$(apart title popup)" && fail "the popup does not show over the title"
blank "$(apart title mainmenu)" && fail "the main menu looks like the title"
blank "$(apart mainmenu help)" && fail "the help looks like the main menu"
blank "$(apart help helptips)" && fail "the Tips tab did not change the topic shown"
blank "$(apart mainmenu helpback)" || fail "Back did not return to the main menu"
blank "$(apart mainmenu credits)" && fail "the credits look like the main menu"
blank "$(apart credits creditspage)" && fail "the right arrow did not turn the page"
blank "$(apart mainmenu2 challenges)" && fail "the challenge select looks like the main menu"
blank "$(apart challenges cutscene)" && fail "the cutscene does not show over the challenge select"
blank "$(apart cutscene intro)" && fail "the level intro looks like the cutscene"
blank "$(apart intro introflavor)" && fail "Next did not change the intro's card"
blank "$(apart introflavor kitchen)" && fail "the level screen looks like the level intro"
blank "$(apart dragging served)" && fail "serving the step changed nothing on the level screen"
blank "$(apart served pause)" && fail "the pause menu does not show over the level"
blank "$(apart pause challenges2)" && fail "the challenge select looks like the pause menu"
blank "$(apart challenges2 mainmenu3)" && fail "the main menu looks like the challenge select"
blank "$(apart mainmenu3 options)" && fail "the options do not show over the main menu"
# The box is small beside the screen: the pixels that differ are counted instead.
[ "$(compare -metric AE "$work/options.png" "$work/optionschanged.png" null: 2>&1)" -gt 200 ] ||
    fail "the FullScreen box did not change"
blank "$(apart optionschanged cancelled)" && fail "Cancel did not close the options"
blank "$(apart mainmenu3 cancelled)" || fail "Cancel did not return to the main menu as it was"
blank "$(apart cancelled help2)" && fail "the help looks like the main menu"
blank "$(apart help2 quit)" && fail "the quit question looks like the help"
echo "PASSED: title, new-profile popup, typed name and main menu drawn; one profile file, Ann's;" \
    "the help's topics and the credits' pages turned and left; the challenge select, the episode's" \
    "cutscene, the level intro's cards and the level screen drawn; a vegetable dragged from the" \
    "pantry served its step; the pause menu, the challenge select, the main menu, the options" \
    "changed and cancelled, the help and the quit question drawn; Yes ended the program with exit 0"
