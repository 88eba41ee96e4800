# Sourced by the end-to-end scripts that run the program once at a time, after UnderXvfb.sh when
# they use the virtual display: a scratch folder ($work) for the program's files and output
# ($work/output), its process ($pid), and helpers. Usage: source OneProgram.sh x11|dummy
# The caller sets $program; screenshots need $window, and keep a copy in $shots when it is set.
here=$(cd "$(dirname "$0")" && pwd)
shots=${CORVANE_SCREENSHOT_DIR:-}
work=$(mktemp -d)
chmod 700 "$work"
export XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work"
# The program's debug output on its terminal as well as in its log: the scripts follow it there.
export SDL_VIDEODRIVER=$1 SDL_AUDIODRIVER=dummy CORVANE_ERROR_BOX=stderr CORVANE_DEBUG=1
export LSAN_OPTIONS="suppressions=$here/SystemLibraries.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# The GL driver and the desktop's libraries of a virtual display keep buffers that sanitized builds
# cannot tell from leaks of ours once SDL has unloaded them: the headless runs check for leaks.
[ "$1" = dummy ] || export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
[ -n "$shots" ] && mkdir -p "$shots"
pid=
finish() {
    [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
    declare -F stop_displays >/dev/null && stop_displays
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 143' TERM INT HUP
fail() {
    echo "FAILED: $*"
    echo "--- program output ---"
    cat "$work/output"
    exit 1
}
# Waits up to $2 seconds for the output to hold the text $1.
wait_for() {
    local deadline=$(($(date +%s) + $2))
    while ! grep -qF -- "$1" "$work/output"; do
        kill -0 "$pid" 2>/dev/null || return 1
        [ "$(date +%s)" -ge "$deadline" ] && return 1
        sleep 0.05
    done
}
# Waits up to 120 s for the title screen in the log file $1 of the program's process $2 (runs that
# keep their terminal quiet); false when the process ends first.
reaches_title() {
    for _ in $(seq 1200); do
        grep -qsF "TitleMode: the title screen is up" "$1" && return 0
        kill -0 "$2" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}
# Waits up to $1 seconds for the program to end after $2 (what asked it to); its exit code is $code.
ends_within() {
    for _ in $(seq $(($1 * 20))); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$pid" 2>/dev/null && fail "the program still runs $1 s after $2"
    wait "$pid"
    code=$?
    pid=
}
# Waits up to 10 s for the program to end after $1 (what asked it to); fails on a non-zero exit.
ends_cleanly() {
    ends_within 10 "$1"
    [ "$code" -eq 0 ] || fail "the program exited with $code"
}
# Asks the program to end as the session ending does (SIGTERM).
quit_and_wait() {
    kill -TERM "$pid"
    ends_cleanly "it was asked to quit"
}
# Asks the window to close as a window manager's close button does.
close_and_wait() {
    python3 "$here/CloseWindow.py" "$window" || fail "could not ask the window to close"
    ends_cleanly "its window was closed"
}
# The default profile alone, as on a first start, asking for a window, which the scripts capture and
# click at the game's own size (FullScreenOnAnyDisplay.sh plays full screen). The folder is the
# per-user folder of the maker and the product. $1, when given, names the profile instead (a
# player who has chosen a name).
windowed_first_start() {
    mkdir -p "$XDG_DATA_HOME/Trevold/Fennik"
    cat >"$XDG_DATA_HOME/Trevold/Fennik/1.act" <<PROFILE
<?xml version="1.0" encoding="UTF-8" ?>
<account>
<record name="Corvane::AccountManager::Name" value="${1:-TRVL_DEFAULT_PROFILE}"/>
<record name="Corvane::AccountManager::IsCurrent" value="true"/>
<record name="Corvane::Window::Mode" value="0"/>
</account>
PROFILE
}
# The program's window, once the program draws: a renderer that cannot start takes its window along
# and the program opens another, so the window is looked for after the loading screen is up.
find_window() {
    timeout 30 xdotool search --sync --onlyvisible --class "^$(basename "$program")\$" 2>/dev/null | tail -n 1
}
# Captures the window into $work/$1.png (copied among the screenshots as $2$1.png) and prints its
# colour spread (0 for one flat colour).
shoot() {
    capture "$window" "$work/$1.png" || fail "could not capture the window"
    [ -n "$shots" ] && cp "$work/$1.png" "$shots/${2:-}$1.png"
    convert "$work/$1.png" -colorspace Gray -format "%[fx:standard_deviation]" info:
}
# Clicks the left button at a point of the game's 800 x 600 screen, scaled to the window's size
# ($width x $height).
click() {
    local x=$(($1 * width / 800)) y=$(($2 * height / 600))
    xdotool mousemove --window "$window" "$x" "$y" sleep 0.1 click 1 || fail "could not click at $1,$2"
}
# Presses and releases a key (an xdotool key name) on the window.
key() { xdotool key --window "$window" "$1" || fail "could not press $1"; }
# Alt+Enter to the window that has the keyboard: the game makes its window again as the keys go
# down, so keys sent to the window itself could find it gone before they are let go of.
alt_enter() { xdotool key alt+Return || fail "could not press Alt+Enter"; }
# Whether a colour spread is that of a blank frame.
blank() { python3 -c "import sys; sys.exit(0 if float('$1') < 0.02 else 1)"; }
# How far apart two screenshots of shoot are (RMSE, 0 to 1).
apart() { compare -metric RMSE "$work/$1.png" "$work/$2.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/'; }
