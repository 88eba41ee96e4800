# Sourced by the end-to-end scripts: skips the test (exit 77) when a tool it needs is missing,
# otherwise runs the calling script again inside a fresh virtual X display.
# Usage: CORVANE_SCRIPT_ARGS=("$@"); source UnderXvfb.sh tool...   (the caller's "$0" is re-run)
for tool in xvfb-run Xvfb "$@"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIPPED: $tool is not installed"
        exit 77
    fi
done

if [ -z "${CORVANE_INSIDE_XVFB:-}" ]; then
    exec env CORVANE_INSIDE_XVFB=1 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "${CORVANE_SCRIPT_ARGS[@]}"
fi
