#!/usr/bin/env bash
# A family is its folder and one add_subdirectory line: a copy of the
# committed tree with the small family kept in tests/extra_family added by
# that one line (and nothing else edited) must build, and pass every test
# that goes over the families (the headless runs against its own test row,
# its exporter, its window program in Xvfb on both SDL libraries, the
# explorer's calls), install its programs with manual pages, and list it.
# Usage: check-new-family.sh [WORK_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
work=${1:-$(mktemp -d)}
copy=$work/tree
rm -rf "$copy"
mkdir -p "$copy"
git archive HEAD | tar -x -C "$copy"
# The one line, beside the other families'.
sed -i '/^add_subdirectory(aztec parts\/aztec)$/a add_subdirectory(tests/extra_family parts/dyck)' \
    "$copy/CMakeLists.txt"
grep -q 'add_subdirectory(tests/extra_family' "$copy/CMakeLists.txt" ||
    { echo "check-new-family: no place for the family's line in CMakeLists.txt" >&2; exit 1; }
cmake -S "$copy" -B "$work/build" -DBUILD_TESTING=ON -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS=-Werror >/dev/null
cmake --build "$work/build" -j "$(nproc)"
"$work/build/family_list" | grep -q '^dyck	' ||
    { echo "check-new-family: family_list does not list dyck" >&2; exit 1; }
ctest --test-dir "$work/build" --output-on-failure -j "$(nproc)" --timeout 300 \
    -R 'dyck|Families/|Explorer|FamilyTable'
"$work/build/dyck_export" --order 5 --list >/dev/null
cmake --install "$work/build" --prefix "$work/installed" >/dev/null
for page in dyck dyck_export; do
    [ -s "$work/installed/share/man/man1/$page.1" ] ||
        { echo "check-new-family: no manual page $page.1 installed" >&2; exit 1; }
done
echo "check-new-family: a family added as its folder and one line builds, passes its tests and installs"
