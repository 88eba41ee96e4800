# Sourced by the end-to-end scripts: skips the test (exit 77) when a tool it needs is missing,
# otherwise runs the calling script again inside a fresh virtual X display (1024 x 768), unless
# the caller set own_displays=1 and starts its own with start_display.
# Usage: CORVANE_SCRIPT_ARGS=("$@"); source UnderXvfb.sh tool...   (the caller's "$0" is re-run)
#
# Whatever ends the script (its own end, a failure, CTest's timeout sending TERM) ends everything it
# started: the inner run's whole process group (the program, the window manager, the tools) and
# then the displays.
for tool in Xvfb "$@"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIPPED: $tool is not installed"
        exit 77
    fi
done

xvfb_pids=()
xvfb_dirs=()
# Ends the displays started by start_display.
stop_displays() {
    local p d
    for p in "${xvfb_pids[@]}"; do kill "$p" 2>/dev/null; done
    for p in "${xvfb_pids[@]}"; do wait "$p" 2>/dev/null; done
    for d in "${xvfb_dirs[@]}"; do rm -rf "$d"; done
    xvfb_pids=()
    xvfb_dirs=()
}

# Starts a virtual display of the size $1 (1024x768 when not given) and points DISPLAY at it; its
# server's process is $xvfb_pid. The server picks a free display number itself and reports it
# (-displayfd): choosing one from outside races when several tests start displays at once, and a
# lost race could leave a script waiting for a server that never came.
start_display() {
    local dir
    dir=$(mktemp -d)
    xvfb_dirs+=("$dir")
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp 3>"$dir/display" 2>"$dir/server.log" &
    xvfb_pid=$!
    xvfb_pids+=("$xvfb_pid")
    for _ in $(seq 300); do
        [ -s "$dir/display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.05
    done
    local number
    number=$(head -n 1 "$dir/display")
    if [ -z "$number" ]; then
        echo "FAILED: the virtual display did not start"
        cat "$dir/server.log"
        return 1
    fi
    export DISPLAY=":$number"
}

if [ -z "${CORVANE_INSIDE_XVFB:-}" ]; then
    if [ "${own_displays:-0}" != 1 ]; then
        start_display || { stop_displays; exit 1; }
    fi
    # The inner run gets a process group of its own, so that it can be ended whole, also while it
    # waits for a command in the foreground.
    set -m
    CORVANE_INSIDE_XVFB=1 bash "$0" "${CORVANE_SCRIPT_ARGS[@]}" &
    inner=$!
    set +m
    end_inner() {
        kill -TERM -- -"$inner" 2>/dev/null || return 0
        for _ in $(seq 50); do
            kill -0 -- -"$inner" 2>/dev/null || return 0
            sleep 0.1
        done
        kill -KILL -- -"$inner" 2>/dev/null
    }
    trap 'end_inner; stop_displays' EXIT
    trap 'exit 143' TERM INT HUP
    wait "$inner"
    exit $?
fi
# The inner run: its scripts' own clean-up runs however it ends (OneProgram.sh and Desktop.sh end
# the displays it started as well).
trap 'stop_displays' EXIT
trap 'exit 143' TERM INT HUP

# Captures window $1 into the picture file $2. ImageMagick's capture now and then never returns
# from the X server: it gets a few tries.
capture() {
    local try
    for try in 1 2 3; do
        timeout 15 import -window "$1" "$2" 2>/dev/null && return 0
    done
    return 1
}
