#!/usr/bin/env bash
# A whole session with a program in its own Xvfb server, as a person would
# use it: every page the window shows must be, pixel for pixel, the page the
# exporter renders headlessly; a key held down turns one page, and its
# release or a click none; a lock key turns a page whether it locks or not;
# closing the window (WM_DELETE_WINDOW) turns it like a key press; a key
# pressed while the next page is coming is kept for the page after; a window
# hidden and shown again shows its page again; closing the last page ends
# the program with status 0. With SCREEN_DEPTH set to other than 24, the
# program may instead refuse the screen in one line with status 1.
# Usage: xvfb_session_test.sh PROGRAM CLOSE_WINDOW (its exporter,
# PROGRAM_export, writes the pages it must show and tells what it prints)
# RUN_UNDER (a command such as valgrind) wraps the program; TIME_SCALE
# stretches every wait for slow wrappers.
set -u
program=$1
exporter=${program}_export
close_window=$2
scale=${TIME_SCALE:-1}
name=$(basename "$program")
# shellcheck source=tests/xvfb_common.sh
. "$(dirname "$0")/xvfb_common.sh"
title() { xdotool getwindowname "$window" 2>/dev/null; }

# Differing pixels between the window as shown and page N as exported.
difference() {
    # 8 bits a channel, as exported, whatever the screen's depth.
    import -window "$window" -depth 8 "$work/shot.png" 2>/dev/null || { echo unknown; return; }
    compare -metric AE "$work/shot.png" "$work/pages/page-$1.png" null: 2>&1 | cut -d' ' -f1
}
# Waits until the window shows page N exactly, with N in its title.
expect_page() {
    local tries=$((40 * scale)) diff=
    for _ in $(seq "$tries"); do
        running || fail "exited while page $1 was expected"
        if [ "$(title)" = "$name - page $1" ]; then
            diff=$(difference "$1")
            [ "$diff" = 0 ] && return 0
        fi
        sleep 0.1
    done
    fail "page $1 never shown exactly (title '$(title)', $diff pixels differ)"
}

start_xvfb import compare
# DROP_FOCUS: a helper that leaves the keyboard to no window first.
if [ -n "${DROP_FOCUS:-}" ]; then "$DROP_FOCUS" || fail "the focus could not be dropped"; fi
# HELD_KEY: a key still down as the window appears (the Return that started
# the program from a terminal), which must turn no page, even as it repeats.
if [ -n "${HELD_KEY:-}" ]; then xdotool keydown "$HELD_KEY"; fi
expected_stdout=$("$exporter" "$work/pages" 2>/dev/null) || fail "the exporter failed"
pages=$(find "$work/pages" -name 'page-*.png' | wc -l)

# shellcheck disable=SC2086  # RUN_UNDER is a command with its arguments
${RUN_UNDER:-} "$program" >"$work/out" 2>"$work/err" </dev/null &
app=$!
wait_for_window "^$name - page 1\$" $((10 * scale))
if [ -z "$window" ] && [ "${SCREEN_DEPTH:-24}" != 24 ] && ! running; then
    # A screen the pages' colours do not fit may be refused, in one clear line
    # that tells the X server's own depth.
    wait "$app"
    status=$?
    app=
    [ "$status" -eq 1 ] && [ "$(wc -l <"$work/err")" -eq 1 ] &&
        grep -q "^$name: cannot set the 800x600 32-bit video mode: .*(the screen has ${SCREEN_DEPTH} bits a pixel)\$" "$work/err" ||
        fail "exit status $status on a ${SCREEN_DEPTH}-bit screen, without the one-line refusal"
    echo "ok: $name refused the ${SCREEN_DEPTH}-bit screen: $(cat "$work/err")"
    exit 0
fi
[ -n "$window" ] || fail "no window appeared"
xdotool mousemove 400 300  # with no window manager the keyboard follows the pointer

expect_page 1
if [ -n "${HELD_KEY:-}" ]; then
    sleep $((1 * scale))
    [ "$(title)" = "$name - page 1" ] ||
        fail "$HELD_KEY, down before the window appeared, turned page 1 (title $(title))"
    xdotool keyup "$HELD_KEY"
    sleep 0.3
    [ "$(title)" = "$name - page 1" ] || fail "the release of $HELD_KEY turned page 1"
fi
# Each turn of the session needs a page to turn to: a family of fewer pages
# than the session has turns gets the turns it has pages for.
shown=1
if [ "$pages" -ge 2 ]; then
    # Held past the server's auto-repeat delay: the repeats turn no page.
    xdotool keydown space
    sleep 1
    running || fail "exited on a key press"
    expect_page 2
    xdotool keyup space
    xdotool click 1
    xdotool click 3
    sleep $((1 * scale))
    [ "$(difference 2)" = 0 ] && [ "$(title)" = "$name - page 2" ] ||
        fail "a key release or a mouse click turned the page (title $(title), $(difference 2) pixels differ)"
    shown=2
fi
if [ "$pages" -ge 3 ]; then
    "$close_window" "$window" || fail "could not send WM_DELETE_WINDOW"
    expect_page 3
    shown=3
fi
if [ "$pages" -ge 5 ]; then
    # Two presses at once: the second arrives while page 4 is being drawn
    # and must turn it as soon as it is shown.
    xdotool key space space
    expect_page 5
    shown=5
fi
# Hidden and shown again, the window must be repainted with its page.
xdotool windowunmap "$window"
sleep 0.2
xdotool windowmap "$window"
xdotool windowfocus "$window"  # the focus went with the window
expect_page "$shown"
# Caps Lock on, then off: each press turns a page, like any other key.
for page in $(seq $((shown + 1)) "$pages"); do
    if [ "$page" -le $((shown + 2)) ]; then xdotool key Caps_Lock; else xdotool key space; fi
    expect_page "$page"
done

sleep 0.3
running || fail "exited before the last page was dismissed"
"$close_window" "$window" || fail "could not send WM_DELETE_WINDOW"
for _ in $(seq $((100 * scale))); do running || break; sleep 0.05; done
running && fail "still running after the last page was closed"
wait "$app"
status=$?
app=
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$(cat "$work/out")" = "$expected_stdout" ] || fail "standard output was '$(cat "$work/out")'"
echo "ok: $name showed all $pages pages exactly, in a session of keys, clicks and closes"
