# Sourced by the end-to-end scripts that play the game on a desktop under a virtual X display
# (after UnderXvfb.sh; Desktop.sh gives the window manager, the work folder and fail), and what a
# player does there: start the game, wait for a line of its output, click, press keys, take
# screenshots. Needs $program (the game) and $shots_prefix (the screenshots' file name prefix);
# keeps the screenshots in CORVANE_SCREENSHOT_DIR when it is set.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
shots=${CORVANE_SCREENSHOT_DIR:-}
source "$here/Desktop.sh"
[ -n "$shots" ] && mkdir -p "$shots"
pid=
window=
width=800
height=600
output="$work/program.out"
# The one profile, current, in the per-user folder of the maker and the product: $1 its name
# (TRVL_DEFAULT_PROFILE for the default one); windowed.
write_profile() {
    mkdir -p "$XDG_DATA_HOME/Trevold/Fennik"
    cat >"$XDG_DATA_HOME/Trevold/Fennik/1.act" <<PROFILE
<?xml version="1.0" encoding="UTF-8" ?>
<account>
<record name="Corvane::AccountManager::Name" value="$1"/>
<record name="Corvane::AccountManager::IsCurrent" value="true"/>
<record name="Corvane::Window::Mode" value="0"/>
</account>
PROFILE
}
# Waits up to $2 seconds for the program to print $1; false when it ended or never did.
wait_for() {
    local deadline=$(($(date +%s) + $2))
    while ! grep -qF -- "$1" "$output"; do
        kill -0 "$pid" 2>/dev/null || return 1
        [ "$(date +%s)" -ge "$deadline" ] && return 1
        sleep 0.05
    done
}
# The game's window (found anew: a display change makes a new one) and its size.
find_window() {
    window=
    for _ in $(seq 60); do
        window=$(xdotool search --onlyvisible --class "^fennik\$" 2>/dev/null | tail -n 1)
        [ -n "$window" ] && break
        kill -0 "$pid" 2>/dev/null || fail "the program ended before its window showed"
        sleep 0.5
    done
    [ -n "$window" ] || fail "no window of fennik appeared"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    width=$WIDTH height=$HEIGHT
}
# Starts the game in the background and waits for its title screen.
start_game() {
    "$program" >"$output" 2>&1 &
    pid=$!
    pids+=("$pid")
    find_window
    wait_for "TitleMode: the title screen is up" 120 || fail "the title screen never came"
    find_window
    xdotool windowfocus --sync "$window" 2>/dev/null
}
# Waits up to $1 seconds for the program to end; its exit code in $code (fails when it still runs).
wait_exit() {
    for _ in $(seq $(($1 * 20))); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$pid" 2>/dev/null && fail "the program still runs $1 s later"
    wait "$pid"
    code=$?
    pid=
}
# Captures the window into $work/$1.png (kept among the screenshots) and prints its colour spread.
shoot() {
    import -window "$window" "$work/$1.png" 2>/dev/null || fail "could not capture the window"
    [ -n "$shots" ] && cp "$work/$1.png" "$shots/$shots_prefix-$1.png"
    convert "$work/$1.png" -colorspace Gray -format "%[fx:standard_deviation]" info:
}
# Clicks the left button at a point of the game's 800 x 600 screen, scaled to the window's size.
click() {
    local x=$(($1 * width / 800)) y=$(($2 * height / 600))
    xdotool mousemove --window "$window" "$x" "$y" sleep 0.1 click 1 || fail "could not click at $1,$2"
}
key() { xdotool key --window "$window" "$1" || fail "could not press $1"; }
blank() { python3 -c "import sys; sys.exit(0 if float('$1') < 0.02 else 1)"; }
apart() { compare -metric RMSE "$work/$1.png" "$work/$2.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/'; }
