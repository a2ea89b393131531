#!/usr/bin/env bash
# Runs a program in its own Xvfb server and pages through it with real key
# presses: every page but the last must hold on a mouse click, and the last
# key press must end the program with status 0.
# With END_WITH=term the program is stopped with SIGTERM during the final
# wait instead, and must still have delivered its standard output.
# Usage: xvfb_paging_test.sh PROGRAM PAGES [EXPECTED_STDOUT]
set -u
program=$1
pages=$2
expected_stdout=${3-}
name=$(basename "$program")
# shellcheck source=tests/xvfb_common.sh
. "$(dirname "$0")/xvfb_common.sh"
start_xvfb

"$program" >"$work/out" 2>"$work/err" </dev/null &
app=$!
timeout 10 xdotool search --sync --name "^$name" >/dev/null || fail "no window appeared"
# With no window manager the keyboard follows the pointer.
xdotool mousemove 400 300

for page in $(seq 1 $((pages - 1))); do
    running || fail "exited after $((page - 1)) key presses, before page $pages"
    xdotool key space
    sleep 0.1
done
sleep 0.5
running || fail "exited before the last page was shown"
xdotool click 1
sleep 0.5
running || fail "a mouse click advanced past the last page"

expected_status=0
if [ "${END_WITH:-key}" = term ]; then
    kill -TERM "$app"
    expected_status=$((128 + 15))
else
    xdotool key space
fi
for _ in $(seq 100); do running || break; sleep 0.05; done
running && fail "still running 5 s after the end of the last page"
wait "$app"
status=$?
app=
[ "$status" -eq "$expected_status" ] || fail "exit status $status, expected $expected_status"
[ "$(cat "$work/out")" = "$expected_stdout" ] || fail "standard output was '$(cat "$work/out")'"
[ -s "$work/err" ] && fail "wrote to standard error"
echo "ok: $name paged through $pages pages and exited with status $status"
