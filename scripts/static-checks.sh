#!/usr/bin/env bash
# clang-tidy (configured in .clang-tidy) and cppcheck over all the project's
# code that this platform builds, the list taken from the build itself; any
# finding fails. Each file goes through clang-tidy once, a file a core at a
# time.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-tidy}
jobs=$(nproc)
cmake -S . -B "$build" -DBUILD_TESTING=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
# The entries add_family writes are generated; the folders hold the rest.
mapfile -t sources < <(sed -n 's/^ *"file": "\(.*\)",\?$/\1/p' "$build/compile_commands.json" |
    grep -v "/$build/" | sed "s|^$PWD/||" | sort -u)
[ "${#sources[@]}" -gt 0 ] || { echo "no sources in $build/compile_commands.json" >&2; exit 1; }
mapfile -t folders < <(printf '%s\n' "${sources[@]}" | xargs -n1 dirname | sort -u)

# clang-tidy counts the warnings it found in system headers and hid, on
# standard error, file by file: only its findings are worth a line.
# Our headers are those in the folders our sources are in, and the ones the
# build writes for them.
header_filter="^($PWD/($(IFS='|'; echo "${folders[*]}"))|$PWD/$build)/.*\.h\$"
status=0
printf '%s\n' "${sources[@]}" |
    xargs -P "$jobs" -n 1 clang-tidy --quiet -p "$build" --header-filter="$header_filter" \
        2> >(grep -v -E '^[0-9]+ warnings? generated\.$' >&2) ||
    status=$?
[ "$status" -eq 0 ] || { echo "static checks: clang-tidy found something (above)" >&2; exit 1; }

# useStlAlgorithm: a plain loop is often the clearer choice here. EXPORTER,
# the exporting program's path, and PROGRAMS, the tests' build folder, come
# from the build; newer cppcheck stops on a macro it cannot see. Newer
# cppcheck (2.17) also asks for const where none can go (main's argv, a random generator that is called, a reference
# already to const), and notes where it limited its branch analysis.
cppcheck --enable=warning,style,performance,portability --std=c++17 --language=c++ \
    --library=googletest --library=sdl --library=posix --inline-suppr \
    --suppress=useStlAlgorithm --error-exitcode=1 --quiet -j "$jobs" \
    --suppress=constParameter --suppress=constParameterReference \
    --suppress=constVariableReference --suppress=normalCheckLevelMaxBranches \
    -D'EXPORTER="exporter"' -D'PROGRAMS="programs"' \
    "${folders[@]/#/-I}" "${sources[@]}"
echo "static checks: clang-tidy and cppcheck found nothing in ${#sources[@]} files"
