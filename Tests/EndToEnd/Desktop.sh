# Sourced by the end-to-end scripts that need a desktop, after UnderXvfb.sh: a window manager
# (openbox) gives windows frames to drag, focus, minimising and raising, as a player's desktop
# does. Sets up a scratch folder ($work) for the program's files and output, and helpers.
# The caller sets $program, and $pids collects what it starts; everything ends with the script.
work=$(mktemp -d)
chmod 700 "$work"
export XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work"
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy CORVANE_ERROR_BOX=stderr
# These runs draw through the GL driver, which keeps buffers that sanitized builds cannot tell from
# leaks of ours (its library is gone by then): the headless runs check for leaks instead.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
pids=()
finish() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    declare -F stop_displays >/dev/null && stop_displays
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 143' TERM INT HUP
fail() {
    echo "FAILED: $*"
    for log in "$work"/*.out; do
        [ -f "$log" ] && { echo "--- $(basename "$log") ---"; cat "$log"; }
    done
    exit 1
}

source "$(dirname "${BASH_SOURCE[0]}")/WindowManager.sh"
pids+=("${wm_pids[@]}")

# Waits up to a minute for a command to succeed: a sanitized program starting on a loaded
# machine can take many seconds to draw its first frame.
eventually() {
    for _ in $(seq 600); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# The program's window (by its class, the program's name), once it draws (its output, $1, names the
# renderer: a renderer that cannot start takes its window along) and the window manager framed it.
program_window() {
    local window
    eventually grep -q "^renderer: " "$1" || return 1
    window=$(timeout 60 xdotool search --sync --onlyvisible --class "^$(basename "$program")\$" 2>/dev/null | head -n 1)
    [ -n "$window" ] || return 1
    for _ in $(seq 100); do
        xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null | grep -q "=" && break
        sleep 0.1
    done
    echo "$window"
}
# "x y width height" of a window's client area on the screen.
client_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
                             /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}'
}
# Normal or Iconic.
window_state() {
    xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/.*window state: *//p'
}
# Whether window $1 is in state $2.
in_state() {
    [ "$(window_state "$1")" = "$2" ]
}
# Whether window $1 is the active one (in front, with the focus).
is_active() {
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]
}
