#!/usr/bin/env bash
# The README's test command, the one to run after a change: a plain
# optimised build of everything with warnings as errors, then every test in
# it (the unit tests, the page and export tests, the real programs with no
# display and in Xvfb), the window tests (label "sdl") once more against
# SDL 1.2 over SDL2 (sdl12-compat), as current distributions ship it, and
# every example of the documentation against the programs. Tests labelled
# "slow" are left to scripts/run-slow-checks.sh, with the static checks,
# the sanitizers, valgrind, the latency report and the release checks.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
start=$(date +%s)
elapsed() { echo "($1; $(( $(date +%s) - start )) s so far)"; }

# The valgrind sessions belong to the slow checks, which turn them on in
# this same build folder.
cmake -S . -B build-tests -DBUILD_TESTING=ON -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-Werror \
    -DVALGRIND_SESSIONS=OFF
cmake --build build-tests -j "$jobs"
elapsed "built"
echo "(the programs load $(readlink -f "$(ldd build-tests/diamond | awk '/libSDL-1.2/ {print $3}')"))"
ctest --test-dir build-tests --output-on-failure -j "$jobs" --timeout 300 -LE slow
elapsed "every test passed"

compat=$(find /usr/lib -path '*/sdl12-compat/libSDL-1.2.so.0' -print -quit)
[ -n "$compat" ] || { echo "sdl12-compat is not installed (package libsdl1.2-compat)" >&2; exit 1; }
compat=$(dirname "$compat")
# Read whole before it is searched: grep -q leaving a pipe early would fail
# ldd with SIGPIPE, and the pipeline with it.
loaded=$(LD_LIBRARY_PATH=$compat ldd build-tests/diamond)
grep -q "$compat/libSDL" <<<"$loaded" ||
    { echo "the programs do not load SDL from $compat:" >&2; echo "$loaded" >&2; exit 1; }
echo "(the program and window tests against $compat: the programs load $(readlink -f "$(awk '/libSDL-1.2/ {print $3}' <<<"$loaded")"))"
LD_LIBRARY_PATH=$compat ctest --test-dir build-tests --output-on-failure -j "$jobs" --timeout 300 \
    -L sdl -LE slow
elapsed "the program tests passed against sdl12-compat"
bash scripts/check-docs.sh build-tests
elapsed "the tests passed"
