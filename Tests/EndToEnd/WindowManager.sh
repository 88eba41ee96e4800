# Sourced by the end-to-end scripts that need a window manager, after UnderXvfb.sh and after the
# caller's $work and fail: starts openbox on the virtual display and waits until it manages
# windows; its processes are $wm_pids, its output $work/openbox.out.
# The display may take a moment to accept clients; the window manager may need a second try.
for _ in $(seq 100); do
    xprop -root >/dev/null 2>&1 && break
    sleep 0.1
done
wm_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"
}
wm_pids=()
for _ in 1 2 3; do
    openbox --sm-disable >>"$work/openbox.out" 2>&1 &
    wm_pids+=($!)
    for _ in $(seq 50); do
        wm_running && break
        sleep 0.1
    done
    wm_running && break
done
wm_running || fail "the window manager did not start"
