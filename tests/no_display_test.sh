#!/usr/bin/env bash
# With no display and no driver named, a program must say so in one line on
# standard error and exit 1 at once, without drawing in the terminal.
# Usage: no_display_test.sh PROGRAM
set -u
program=$1
name=$(basename "$program")
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
fail() { echo "FAIL ($name): $*" >&2; sed 's/^/  stderr: /' "$err" >&2; exit 1; }

start=$(date +%s%N)
env -u DISPLAY -u SDL_VIDEODRIVER TERM=xterm timeout 5 "$program" <"/dev/null" >"$out" 2>"$err"
status=$?
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))

[ "$status" -eq 1 ] || fail "exit status $status, expected 1"
[ "$elapsed_ms" -lt 1000 ] || fail "took $elapsed_ms ms"
[ -s "$out" ] && fail "wrote to standard output: $(od -c "$out" | head -2)"
[ "$(wc -l <"$err")" -eq 1 ] || fail "expected one line on standard error"
grep -q "^$name: no display" "$err" || fail "the message does not say there is no display"
echo "ok: $name reported '$(cat "$err")' in $elapsed_ms ms"
