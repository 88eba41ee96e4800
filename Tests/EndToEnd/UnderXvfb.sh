# Sourced by the end-to-end scripts: skips the test (exit 77) when a tool it needs is missing,
# otherwise runs the calling script again inside a fresh virtual X display.
# Usage: CORVANE_SCRIPT_ARGS=("$@"); source UnderXvfb.sh tool...   (the caller's "$0" is re-run)
for tool in Xvfb "$@"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIPPED: $tool is not installed"
        exit 77
    fi
done

# The server picks a free display number itself and reports it (-displayfd): choosing one from
# outside races when several tests start displays at once, and a lost race could leave a script
# waiting for a server that never came.
if [ -z "${CORVANE_INSIDE_XVFB:-}" ]; then
    xvfb_dir=$(mktemp -d)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$xvfb_dir/display" 2>"$xvfb_dir/server.log" &
    xvfb_pid=$!
    for _ in $(seq 300); do
        [ -s "$xvfb_dir/display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.05
    done
    xvfb_display=$(head -n 1 "$xvfb_dir/display")
    if [ -z "$xvfb_display" ]; then
        echo "FAILED: the virtual display did not start"
        cat "$xvfb_dir/server.log"
        kill "$xvfb_pid" 2>/dev/null
        rm -rf "$xvfb_dir"
        exit 1
    fi
    CORVANE_INSIDE_XVFB=1 DISPLAY=":$xvfb_display" bash "$0" "${CORVANE_SCRIPT_ARGS[@]}"
    xvfb_code=$?
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    rm -rf "$xvfb_dir"
    exit "$xvfb_code"
fi

# Captures window $1 into the picture file $2. ImageMagick's capture now and then never returns
# from the X server: it gets a few tries.
capture() {
    local try
    for try in 1 2 3; do
        timeout 15 import -window "$1" "$2" 2>/dev/null && return 0
    done
    return 1
}
