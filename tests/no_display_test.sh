#!/usr/bin/env bash
# With no display, or one that cannot be reached, and no driver named, a program
# must say so in one line on standard error and exit 1, without drawing in
# the terminal. How fast it does so is the benchmarks' business: the
# timeout only catches a hang.
# Usage: no_display_test.sh PROGRAM
set -u
program=$1
name=$(basename "$program")
# shellcheck source=tests/xvfb_common.sh
. "$(dirname "$0")/xvfb_common.sh"

# Runs the program with the given environment changes; checks the outcome.
expect_refusal() {
    local message=$1
    shift
    local start elapsed_ms status
    start=$(date +%s%N)
    env -u SDL_VIDEODRIVER "$@" TERM=xterm timeout 60 "$program" </dev/null >"$work/out" 2>"$work/err"
    status=$?
    elapsed_ms=$((($(date +%s%N) - start) / 1000000))
    [ "$status" -eq 124 ] && fail "still running after 60 s"
    [ "$status" -eq 1 ] || fail "exit status $status, expected 1"
    [ -s "$work/out" ] && fail "wrote to standard output: $(od -c "$work/out" | head -2)"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "expected one line on standard error"
    grep -q "^$name: $message" "$work/err" || fail "the message does not start '$name: $message'"
    echo "ok: $name said '$(cat "$work/err")' in $elapsed_ms ms"
}

expect_refusal "no display" -u DISPLAY
# A display named but not there.
expect_refusal "cannot use the display :987654: x11" DISPLAY=:987654
# The driver that shows nothing, named: no key could ever come.
expect_refusal "the dummy video driver shows nothing and takes no keys" SDL_VIDEODRIVER=dummy
