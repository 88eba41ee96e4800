#!/usr/bin/env bash
# The game ends when asked, and nothing of it stays behind (virtual X display, no window manager,
# real error boxes). 1. A save at quit fails (a file stands where the profile folder belongs) and
# puts up its box; then   | gone within | exit | it says last
#   its display goes      | 10 s        | 1    | the display was lost, nothing saved
#   SIGTERM               | 1 s         | 0    | the box closed unanswered (in the log)
# and its session is empty. 2. Two players' copies started 1 s apart on one display both reach the
# title (the first loads on behind the second's window); each ends within 1 s of SIGTERM. 3. After
# 8,000 queued input events SIGTERM still ends it within 1 s. Usage: EndsWhenAsked.sh <fennik>
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)

own_displays=1
CORVANE_SCRIPT_ARGS=("$@")
source "$here/UnderXvfb.sh" xdotool python3 setsid pgrep
source "$here/OneProgram.sh" x11
# A player's terminal: the boxes' texts and the last line; the rest is in the logs.
unset CORVANE_ERROR_BOX CORVANE_DEBUG
folder="$XDG_DATA_HOME/Trevold/Fennik"

# Starts the program in a session of its own ($pid), where what it leaves running is found (and
# ended with the script).
sessions=()
trap 'for s in "${sessions[@]}"; do kill -9 -- -"$s" 2>/dev/null; done; finish' EXIT
start() {
    setsid "$program" >"${1:-$work/output}" 2>&1 &
    pid=$!
    sessions+=("$pid")
}
# SIGTERM ends the program within 1 s, in order.
terminated() {
    kill -TERM "$pid"
    ends_within 1 "SIGTERM $1"
    [ "$code" -eq 0 ] || fail "the program exited with $code after SIGTERM $1"
}
# A first start to the title on a display of its own, with $window.
to_title() {
    rm -rf "$XDG_DATA_HOME" "$work/away"
    start_display || fail "no display"
    windowed_first_start
    start
    reaches_title "$folder/Fennik.log" "$pid" || fail "the title screen never came"
    window=$(find_window) && [ -n "$window" ] || fail "the program's window was not found"
}

# 1. The box of a failed last save, and what ends it.
box_row() {
    to_title
    session=$pid
    mv "$folder" "$work/away" && echo "not a folder" >"$folder"
    python3 "$here/CloseWindow.py" "$window" || fail "could not ask the window to close"
    timeout 60 xdotool search --sync --onlyvisible --class '^MessageBox$' >/dev/null 2>&1 ||
        fail "the failed save put up no box"
    grep -qF "Your progress could not be saved" "$work/output" || fail "the box does not say the save failed"
    case $1 in
    display)
        stop_displays
        ends_within 10 "its display went away under the box"
        [ "$code" -eq 1 ] || fail "the program exited with $code, not 1"
        tail -n 1 "$work/output" | grep -q "display .* was lost; the game ended without saving" ||
            fail "the last line is not that the display was lost and nothing saved"
        ;;
    SIGTERM)
        terminated "under the box"
        grep -qF "A box closed unanswered (the game was asked to end)" "$work/away/Fennik.log" ||
            fail "the log does not keep the unanswered box"
        stop_displays
        ;;
    esac
    grep -q "saved and ended" "$work/output" && fail "the program said it saved"
    pgrep -s "$session" >/dev/null && fail "processes of the game are left: $(pgrep -a -s "$session")"
    : >"$work/output"
}
box_row display
box_row SIGTERM

# 2. Two players on one display, the second starting while the first loads.
rm -rf "$XDG_DATA_HOME"
start_display || fail "no display"
windowed_first_start
start "$work/first.out"
first=$pid
sleep 1
mkdir -m 700 "$work/second"
as_second() { XDG_DATA_HOME="$work/second/data" XDG_RUNTIME_DIR="$work/second" HOME="$work/second" "$@"; }
as_second windowed_first_start
as_second start "$work/second.out"
second=$pid
reaches_title "$folder/Fennik.log" "$first" || fail "the first copy never reached its title"
reaches_title "$work/second/data/Trevold/Fennik/Fennik.log" "$second" || fail "the second copy never reached its title"
for pid in "$first" "$second"; do terminated "to one of two copies"; done
stop_displays

# 3. A flood of input, then the request to end.
to_title
eval "$(xdotool getwindowgeometry --shell "$window")"
x=$((X + WIDTH / 2)) y=$((Y + HEIGHT / 2))
xdotool $(for _ in $(seq 4000); do echo "mousemove $x $y mousemove $((x + 1)) $y"; done) || fail "could not flood the input"
terminated "after 8,000 input events"

echo "PASSED: the box of a failed last save ended with its display and with SIGTERM, leaving nothing;" \
    "two copies started 1 s apart both reached their title and ended within 1 s of SIGTERM, as after" \
    "a flood of input"
