# Shared by the Xvfb tests: a private X server for one program under test.
# The sourcing script sets `name` first; `app` holds the program's pid.
work=$(mktemp -d)
xvfb=
app=

cleanup() {
    [ -n "$app" ] && kill -KILL "$app" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL ($name): $*" >&2
    [ -s "$work/err" ] && sed 's/^/  stderr: /' "$work/err" | head -40 >&2
    exit 1
}

running() { kill -0 "$app" 2>/dev/null; }

# Starts Xvfb (SCREEN_SIZE, 1024x768 unless set, SCREEN_DEPTH bits deep, 24
# unless set) on a free display (-displayfd writes its number) and points
# DISPLAY at it once a client can connect. -noreset: by default the server
# resets whenever its last client leaves, and a client connecting during the
# reset is refused; SDL connects once to probe and again to open, so each
# short-lived client before it (xdotool, say) could make the program fail.
# A server that does not answer is replaced, a few times at most.
start_xvfb() {
    local tool attempt
    for tool in Xvfb xdotool "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is not installed"
    done
    for attempt in 1 2 3; do
        : >"$work/display"
        Xvfb -displayfd 3 -screen 0 "${SCREEN_SIZE:-1024x768}x${SCREEN_DEPTH:-24}" -nolisten tcp -noreset \
            3>"$work/display" \
            2>"$work/xvfb.log" &
        xvfb=$!
        for _ in $(seq 100); do
            if [ -s "$work/display" ]; then
                export DISPLAY=":$(tr -dc 0-9 <"$work/display")"
                xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
            fi
            kill -0 "$xvfb" 2>/dev/null || break
            sleep 0.05
        done
        kill "$xvfb" 2>/dev/null
        wait "$xvfb" 2>/dev/null
        xvfb=
        echo "Xvfb attempt $attempt did not answer: $(tail -1 "$work/xvfb.log")" >&2
    done
    fail "Xvfb did not start"
}

# Sets `window` to the first window whose name matches REGEX, waiting up to
# SECONDS while the program runs. Plain searches, retried: a search that
# syncs on a window may die on a short-lived one that vanishes meanwhile
# (SDL over SDL2 makes two before its real one).
wait_for_window() {
    local regex=$1 seconds=$2
    window=
    for _ in $(seq $((seconds * 10))); do
        window=$(xdotool search --name "$regex" 2>/dev/null | head -1)
        [ -n "$window" ] || ! running && return 0
        sleep 0.1
    done
}
