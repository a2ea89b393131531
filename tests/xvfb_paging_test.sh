#!/usr/bin/env bash
# Runs a program in its own Xvfb server and pages through it with real key
# presses: every page but the last must hold on a mouse click, and the last
# key press must end the program with status 0.
# END_WITH=term: SIGTERM, once during start-up and once during the final
# wait, must end the program at once (and its standard output is still
# delivered). END_WITH=lost_display: the X server goes away during the final
# wait; the program must say so in one line and exit 1 at once.
# END_WITH=destroyed_window: another client destroys the window during the
# final wait; the program must say so in one line and exit 1 at once.
# KILLED_BEFORE="TERM KILL": runs of the program before, each killed with
# that signal once its window shows; whatever they leave on the server (over
# SDL2, the keyboard focused on no window) must not change how the run after
# them ends.
# STDOUT=closed, full or closed_pipe: the program starts with standard
# output closed (it must page through as usual), on /dev/full or on a pipe
# nobody reads (a failed write is reported after the final key press, with
# status 1). SCREEN_SIZE/SCREEN_DEPTH: a screen smaller than the window, or
# of 16 bits, is used all the same and named in one line each.
# Usage: xvfb_paging_test.sh PROGRAM (its exporter, PROGRAM_export, tells
# the pages it shows and what it prints)
set -u
program=$1
name=$(basename "$program")
# shellcheck source=tests/xvfb_common.sh
. "$(dirname "$0")/xvfb_common.sh"
# The pages it shows, and what it prints, as its exporter beside it has them.
expected_stdout=$("${program}_export" "$work/exported" 2>/dev/null) || fail "its exporter failed"
pages=$(find "$work/exported" -name 'page-*.png' | wc -l)
start_xvfb
# DROP_FOCUS: a helper that leaves the keyboard to no window first.
if [ -n "${DROP_FOCUS:-}" ]; then "$DROP_FOCUS" || fail "the focus could not be dropped"; fi

# Waits up to 5 s for the program to end; sets `status`.
expect_exit_within_5s() {
    for _ in $(seq 100); do running || break; sleep 0.05; done
    running && fail "still running 5 s after $1"
    wait "$app"
    status=$?
    app=
}

if [ "${END_WITH:-key}" = term ]; then
    "$program" >/dev/null 2>"$work/err" </dev/null &
    app=$!
    sleep 0.02
    kill -TERM "$app"
    expect_exit_within_5s "a SIGTERM during start-up"
    [ "$status" -eq 143 ] || fail "exit status $status after a SIGTERM during start-up"
fi

for signal in ${KILLED_BEFORE:-}; do
    "$program" >/dev/null 2>"$work/err" </dev/null &
    app=$!
    wait_for_window "^$name - page 1\$" 10
    [ -n "$window" ] || fail "no window appeared in the run to be ended by SIG$signal"
    kill -"$signal" "$app"
    expect_exit_within_5s "a SIG$signal"
    [ "$status" -eq $((128 + $(kill -l "$signal"))) ] || fail "exit status $status after a SIG$signal"
    # The next run's window is told apart by its title alone.
    for _ in $(seq 50); do
        xdotool search --name "^$name - " >/dev/null 2>&1 || break
        sleep 0.1
    done
    xdotool search --name "^$name - " >/dev/null 2>&1 && fail "the window outlived its SIG$signal"
done

case ${STDOUT:-file} in
    closed) "$program" >&- 2>"$work/err" </dev/null & ;;
    full) "$program" >/dev/full 2>"$work/err" </dev/null & ;;
    closed_pipe) "$program" > >(true) 2>"$work/err" </dev/null & ;;
    *) "$program" >"$work/out" 2>"$work/err" </dev/null & ;;
esac
app=$!
wait_for_window "^$name - page 1\$" 10
[ -n "$window" ] || fail "no window appeared"
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
case ${END_WITH:-key} in
    term)
        kill -TERM "$app"
        expected_status=$((128 + 15))
        ;;
    destroyed_window)
        xdotool windowclose "$window"
        expected_status=1
        ;;
    lost_display)
        kill "$xvfb"
        wait "$xvfb" 2>/dev/null
        xvfb=
        expected_status=1
        ;;
    *) xdotool key space ;;
esac
expect_exit_within_5s "the end of the last page"
case ${STDOUT:-file} in full | closed_pipe) expected_status=1 ;; esac
[ "$status" -eq "$expected_status" ] || fail "exit status $status, expected $expected_status"
case ${END_WITH:-key}/${STDOUT:-file} in
    lost_display/*) expected_err="$name: lost the connection to the display" ;;
    destroyed_window/*) expected_err="$name: the window was destroyed" ;;
    */full) expected_err="$name: cannot write the count to standard output: No space left on device" ;;
    */closed_pipe) expected_err="$name: cannot write the count to standard output: Broken pipe" ;;
    *) expected_err= ;;
esac
if [ -n "${SCREEN_SIZE:-}" ]; then
    expected_err="$name: the screen is $SCREEN_SIZE, smaller than the 800x600 window: part of each page is cut off
$name: the screen has ${SCREEN_DEPTH:-24} bits a pixel: the colours are shown only approximately"
fi
[ "$(cat "$work/err")" = "$expected_err" ] || fail "standard error was not '$expected_err'"
if [ "${STDOUT:-file}" = file ]; then
    [ "$(cat "$work/out")" = "$expected_stdout" ] || fail "standard output was '$(cat "$work/out")'"
fi
echo "ok: $name paged through $pages pages and exited with status $status"
