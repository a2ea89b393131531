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

# Starts Xvfb on a free display (-displayfd writes its number once the
# server is up) and points DISPLAY at it.
start_xvfb() {
    local tool
    for tool in Xvfb xdotool "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is not installed"
    done
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$work/display")"
}
