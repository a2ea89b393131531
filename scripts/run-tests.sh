#!/usr/bin/env bash
# The whole test suite, each check in one place: static checks (clang-tidy
# over each file once, in parallel, and cppcheck); every test, the real
# programs' included, in a build with AddressSanitizer and
# UndefinedBehaviorSanitizer and warnings as errors; then a plain optimised
# build with warnings as errors, of what needs one (the programs and their
# tests' helpers, not the unit tests again): each program's session
# under valgrind memcheck, the real programs and the window pager once more
# against SDL 1.2 over SDL2 (sdl12-compat), as current distributions ship
# it; every example of the documentation against the programs; and last
# the latency report, run once so that it cannot rot (it fails only on a
# page not shown exactly or a program that does not exit).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
start=$(date +%s)
elapsed() { echo "($1; $(( $(date +%s) - start )) s so far)"; }

bash scripts/static-checks.sh
elapsed "static checks done"

cmake -S . -B build-asan -DBUILD_TESTING=ON -DSANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS=-Werror
cmake --build build-asan -j "$jobs"
echo "(the programs load $(readlink -f "$(ldd build-asan/diamond | awk '/libSDL-1.2/ {print $3}')"))"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp":print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 300
elapsed "every test passed under the sanitizers"

cmake -S . -B build-tests -DBUILD_TESTING=ON -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-Werror \
    -DVALGRIND_SESSIONS=ON
cmake --build build-tests -j "$jobs" --target program_checks latency_harness
ctest --test-dir build-tests --output-on-failure -j "$jobs" --timeout 600 -L valgrind
elapsed "the sessions passed under valgrind"

compat=$(find /usr/lib -path '*/sdl12-compat/libSDL-1.2.so.0' -print -quit)
[ -n "$compat" ] || { echo "sdl12-compat is not installed (package libsdl1.2-compat)" >&2; exit 1; }
compat=$(dirname "$compat")
# Read whole before it is searched: grep -q leaving a pipe early would fail
# ldd with SIGPIPE, and the pipeline with it.
loaded=$(LD_LIBRARY_PATH=$compat ldd build-tests/diamond)
grep -q "$compat/libSDL" <<<"$loaded" ||
    { echo "the programs do not load SDL from $compat:" >&2; echo "$loaded" >&2; exit 1; }
echo "(the program and window tests against $compat: the programs load $(readlink -f "$(awk '/libSDL-1.2/ {print $3}' <<<"$loaded")"))"
LD_LIBRARY_PATH=$compat ctest --test-dir build-tests --output-on-failure -j "$jobs" --timeout 300 -L sdl
elapsed "the program tests passed against sdl12-compat"
bash scripts/check-docs.sh build-tests
echo "(latency of the real programs in Xvfb: a report, not a test)"
bash bench/latency.sh build-tests 1
elapsed "the whole test suite passed"
