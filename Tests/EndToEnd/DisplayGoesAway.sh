#!/usr/bin/env bash
# The game on a virtual X display as a player starts it, without asking for debug output: the
# start prints nothing on its terminal (its diagnostics, the sound library's among them, are in the
# log beside the profiles). At the title its display is ended, as a logout or a crashed X server
# ends it: within 5 seconds the game has saved its profile and ended, with a non-zero exit code and
# one line saying why.
# Skipped (exit 77) when Xvfb is missing. Usage: DisplayGoesAway.sh <path to fennik>
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)

own_displays=1
CORVANE_SCRIPT_ARGS=("$@")
source "$here/UnderXvfb.sh"
source "$here/OneProgram.sh" x11
unset CORVANE_DEBUG
# The sound output SDL finds, as on a player's machine: where it finds no sound card, what ALSA's
# library says of it belongs in the log too.
unset SDL_AUDIODRIVER
log="$XDG_DATA_HOME/Trevold/Fennik/Fennik.log"

start_display || fail "no display"
"$program" >"$work/output" 2>&1 &
pid=$!
reaches_title "$log" "$pid" || fail "the title screen never came (log: $(cat "$log"))"
[ -s "$work/output" ] && fail "the start printed on the terminal"
grep -q "Accepting mode" "$log" || fail "the log does not hold the start's diagnostics"

stop_displays
ends_within 5 "its display went away"
[ "$code" -ne 0 ] || fail "the program exited with 0"
[ "$(wc -l <"$work/output")" -eq 1 ] || fail "the program said more than one line"
grep -q "display .* was lost" "$work/output" || fail "the program did not say its display was lost"
grep -q 'name="Corvane::Window::Mode" value="1"' "$XDG_DATA_HOME"/Trevold/Fennik/*.act ||
    fail "the profile was not saved at the end: $(cat "$XDG_DATA_HOME"/Trevold/Fennik/*.act)"
echo "PASSED: a quiet start; without its display the game saved its profile and ended with $code:" \
    "$(cat "$work/output")"
