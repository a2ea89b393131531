#!/usr/bin/env bash
# clang-tidy (configured in .clang-tidy) and cppcheck over all the project's
# code; any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-tidy}
cmake -S . -B "$build" -DBUILD_TESTING=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
# The Windows and web files of the platform seam are checked by the Windows
# and web builds, not here.
folders=(messages canvas platform pager window pages export explore diamond pyramid)
sources=($(ls messages/*.cpp canvas/*.cpp platform/*.cpp window/*.cpp pages/*.cpp export/*.cpp \
    explore/*.cpp diamond/*.cpp pyramid/*.cpp \
    tests/*.cpp bench/*.cpp | grep -v -E '^platform/[a-z]+_(windows|web).cpp$'))
# clang-tidy counts the warnings it found in system headers and hid, on
# standard error, file by file: only its findings are worth a line.
clang-tidy --quiet -p "$build" "${sources[@]}" 2> >(grep -v -E '^[0-9]+ warnings? generated\.$' >&2)
# useStlAlgorithm: a plain loop is often the clearer choice here. EXPORTER,
# the exporting program's path, comes from the build; newer cppcheck stops on
# a macro it cannot see. Newer cppcheck (2.17) also asks for const where
# none can go (main's argv, a random generator that is called, a reference
# already to const), and notes where it limited its branch analysis.
cppcheck --enable=warning,style,performance,portability --std=c++17 --language=c++ \
    --library=googletest --library=sdl --library=posix --inline-suppr \
    --suppress=useStlAlgorithm --error-exitcode=1 --quiet \
    --suppress=constParameter --suppress=constParameterReference \
    --suppress=constVariableReference --suppress=normalCheckLevelMaxBranches \
    -D'EXPORTER="exporter"' \
    "${folders[@]/#/-I}" "${sources[@]}"
echo "static checks: clang-tidy and cppcheck found nothing"
