#!/usr/bin/env bash
# The game as a player starts it, headless (SDL's dummy video and audio): the first start creates
# the default profile, the loading screen loads every start-up group on its worker behind the
# splash pictures (every group's manifest and picture found), reports each group's time and hands
# over to the title screen; the time from start to title is reported. A quit (SIGTERM, as the
# session ending asks) then ends it cleanly. While the first runs, copies started on its profiles
# with another runtime folder or none (as after su - or ssh) end at once. A second start is quit
# while its splash pictures still show: it ends without the title screen. A start whose DISPLAY
# names no server, or that has none, asking SDL for no driver, ends at once saying so.
# Usage: GameStartsToTitle.sh <path to fennik, in its data folder>
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/OneProgram.sh" dummy

now() { date +%s.%N; }

# First start: to the title.
start=$(now)
"$program" >"$work/output" 2>&1 &
pid=$!
wait_for "TitleMode: the title screen is up" 120 || fail "the title screen never came"
title=$(now)
first=$pid
mkdir -m 700 "$work/elsewhere"
for runtime in "XDG_RUNTIME_DIR=$work/elsewhere" "-u XDG_RUNTIME_DIR"; do
    timeout 20 env $runtime "$program" >"$work/other" 2>&1
    code=$?
    [ "$code" -eq 0 ] || fail "a copy on the same profiles ($runtime) exited with $code: $(cat "$work/other")"
    grep -qF "Another copy runs on these profiles" "$work/other" || fail "a copy on the same profiles ran ($runtime)"
done
pid=$first
quit_and_wait
grep -q "Unhandled Exception" "$work/output" && fail "the program reported an unhandled exception"
missing=$(grep -m 1 "was not found" "$work/output") && fail "a start-up file is missing: $missing"
tasks=$(grep -cE "^	Task [0-9]+ - [0-9]+$" "$work/output")
[ "$tasks" -eq 44 ] || fail "the load-time report has $tasks lines, not 44"
grep -q "^	Task 43 - " "$work/output" || fail "the report does not number the groups from 0 to 43"
profiles=$(find "$XDG_DATA_HOME/Trevold/Fennik" -name '*.act' 2>/dev/null | wc -l)
[ "$profiles" -eq 1 ] || fail "the first start left $profiles profiles, not the default one"
grep -q "TRVL_DEFAULT_PROFILE" "$XDG_DATA_HOME"/Trevold/Fennik/*.act || fail "the profile is not the default profile"
loading_us=$(grep -E "^	Task [0-9]+ - " "$work/output" | awk '{ sum += $4 } END { print sum }')
seconds=$(awk -v a="$start" -v b="$title" 'BEGIN { printf "%.2f", b - a }')

# Second start: quit while the splash pictures show. The first start's output goes first: the
# program's own redirection may come after the first look for the line.
: >"$work/output"
"$program" >"$work/output" 2>&1 &
pid=$!
wait_for "Loading resource file: Loading" 60 || fail "the second start never began loading"
sleep 0.5
quit_and_wait
grep -q "TitleMode: the title screen is up" "$work/output" && fail "a quit during loading still showed the title screen"
grep -q "LoadingMode Actual Load Times" "$work/output" || fail "a quit during loading ended without the loading screen's report"

# No display: the game cannot be seen, and says why instead of running unseen.
unused=1000
while [ -e "/tmp/.X11-unix/X$unused" ]; do unused=$((unused + 1)); done
for display in ":$unused" ""; do
    [ -n "$display" ] && expected="could not open the display \"$display\"" || expected="found no display"
    timeout 20 env -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY DISPLAY="$display" "$program" >"$work/output" 2>&1
    code=$?
    [ "$code" -ne 0 ] && [ "$code" -ne 124 ] || fail "the start with DISPLAY=\"$display\" exited with $code"
    grep -qF "Fennik $expected" "$work/output" || fail "the start with DISPLAY=\"$display\" does not say: $expected"
done

echo "PASSED: the title screen came $seconds s after start (the groups loaded in $((loading_us / 1000)) ms" \
    "on the worker, behind the splash pictures); copies on its profiles with other runtime folders ended at" \
    "once; a quit during loading ended without it; no display was named as such"
