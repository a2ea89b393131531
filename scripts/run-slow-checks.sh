#!/usr/bin/env bash
# The slow checks: everything the README's test command leaves out, for
# before a release, and CI's second half. In order:
#  - the static checks: clang-tidy over each file once, in parallel, and
#    cppcheck;
#  - every test, those labelled "slow" included, in a build with
#    AddressSanitizer and UndefinedBehaviorSanitizer and warnings as errors
#    (the page benchmark built there too);
#  - in the test command's optimised build (build-tests/, made here if it
#    is not there yet), each program's Xvfb session under valgrind memcheck,
#    and the latency report, run once so that it cannot rot (it fails only
#    on a page not shown exactly or a program that does not exit), and the
#    shuffling benchmark's report (random Aztec tilings to order 4,000);
#  - a family added as its folder and one line (scripts/check-new-family.sh):
#    a copy of the tree with the kept extra family builds and passes;
#  - the release checks: the web build in Chromium, the Windows build
#    under Wine (beside the web check: under emulation it mostly waits for
#    its processes to start), then the Debian package installed with apt;
#  - the README's commands on a fresh Debian 13 (.ci/fresh-debian.sh),
#    beside all the rest from the start: much of either side is waiting
#    (downloads, installs, X sessions) that the other's work fills.
# Runs as root or through sudo: apt, debootstrap, chroot, binfmt_misc.
# Usage: run-slow-checks.sh [--no-fresh-debian]  (all but the fresh Debian
# 13, for a caller that runs that one itself: .ci/run starts it at its own
# start)
set -euo pipefail
fresh_debian=yes
case ${1-} in
    "") ;;
    --no-fresh-debian) fresh_debian= ;;
    *) echo "usage: $0 [--no-fresh-debian]" >&2; exit 2 ;;
esac
cd "$(dirname "$0")/.."
. scripts/lib.sh
jobs=$(nproc)
start=$(date +%s)
elapsed() { echo "($1; $(( $(date +%s) - start )) s so far)"; }
trap stop_beside EXIT
# A signal ends the script through exit, so that the EXIT trap runs too.
trap 'exit 130' INT
trap 'exit 143' TERM

checks=("static checks" "sanitizers" "valgrind" "latency report" "a new family" "web in Chromium"
        "Windows under Wine" "Debian package")
if [ -n "$fresh_debian" ]; then
    checks+=("fresh Debian 13")
    as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    start_beside fresh "${as_root[@]}" bash .ci/fresh-debian.sh trixie
fi

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

# The same options as the test command's, so that a build it made is
# used as it is: the option only adds the valgrind sessions' tests.
cmake -S . -B build-tests -DBUILD_TESTING=ON -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-Werror \
    -DVALGRIND_SESSIONS=ON
cmake --build build-tests -j "$jobs" --target program_checks latency_harness
ctest --test-dir build-tests --output-on-failure -j "$jobs" --timeout 600 -L valgrind
elapsed "the sessions passed under valgrind"
echo "(latency of the real programs in Xvfb: a report, not a test)"
bash bench/latency.sh build-tests 1
elapsed "the latency report done"
echo "(random Aztec tilings by order, the shuffling alone: a report, not a test)"
cmake --build build-tests -j "$jobs" --target shuffle_benchmark
build-tests/shuffle_benchmark
elapsed "the shuffling report done"
new_family=$(mktemp -d)
bash scripts/check-new-family.sh "$new_family"
rm -rf "$new_family"
elapsed "a family added as its folder passed"

start_beside windows bash .ci/windows-under-wine.sh build-tests
bash .ci/web-in-chromium.sh build-tests
elapsed "the web build passed in Chromium"
bash .ci/debian-package.sh
elapsed "the Debian package passed"
finish_beside windows || { echo "the Windows check failed" >&2; exit 1; }
elapsed "the Windows build passed under Wine"

if [ -n "$fresh_debian" ]; then
    echo "== the fresh Debian 13 system, beside the rest:"
    finish_beside fresh || { echo "the fresh Debian 13 failed" >&2; exit 1; }
    elapsed "the fresh Debian 13 passed"
fi
echo "slow checks ($(printf '%s, ' "${checks[@]}" | sed 's/, $//')): ${#checks[@]} passed, 0 failed"
