#!/usr/bin/env bash
# Start-up and page-turn latency of every family's program, on classic SDL 1.2 and on
# SDL 1.2 over SDL2 (sdl12-compat), each in a bare Xvfb (24 bits) of its
# own: prints a table of what latency_harness reports. A report, not a test:
# it fails only when a page is not shown exactly or a program does not exit.
# Usage: latency.sh BUILD_FOLDER (holding the programs, their exporters and
# latency_harness) [IDLE_SECONDS]
set -u
build=$(realpath "$1")
idle=${2:-3}
name=latency
cd "$(dirname "$0")/.."
# shellcheck source=tests/xvfb_common.sh
. tests/xvfb_common.sh
. scripts/lib.sh
[ -x "$build/latency_harness" ] || fail "$build/latency_harness is not built"
compat=$(find /usr/lib -path '*/sdl12-compat/libSDL-1.2.so.0' -print -quit)
[ -n "$compat" ] || fail "sdl12-compat is not installed (package libsdl1.2-compat)"

echo "| program | SDL 1.2 | start to page 1 exact, key to page exact (median, max), wake-ups while waiting |"
echo "|---|---|---|"
while IFS=$'\t' read -r program _ _ pages _; do
    "$build/${program}_export" "$work/$program" >/dev/null 2>&1 || fail "the $program exporter failed"
    for library in system sdl12-compat; do
        libraries=
        [ "$library" = sdl12-compat ] && libraries=$(dirname "$compat")
        # The library actually loaded: the system's may itself be sdl12-compat.
        loaded=$(LD_LIBRARY_PATH=$libraries ldd "$build/$program" | awk '/libSDL-1.2/ {print $3}')
        start_xvfb
        line=$(LD_LIBRARY_PATH=$libraries \
                   "$build/latency_harness" "$build/$program" "$work/$program" "$pages" "$idle" \
                   2>"$work/err") || fail "$program on $library: $(cat "$work/err")"
        echo "| $program | $(basename "$(readlink -f "$loaded")") | ${line#*: } |"
        [ -s "$work/err" ] && sed 's/^/    /' "$work/err"
        kill "$xvfb"
        wait "$xvfb" 2>/dev/null
        xvfb=
    done
done < <(families_in "$build")
