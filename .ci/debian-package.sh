#!/usr/bin/env bash
# The Debian package: built with cpack, installed with apt as a user would
# (its dependencies must resolve), the installed programs and manual pages
# checked, the installed diamond paged through in Xvfb, then removed again.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib.sh
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-package -j "$(nproc)" >/dev/null
(cd build-package && rm -f ./*.deb && cpack -G DEB >/dev/null)
deb=$(ls build-package/domino-paths_*.deb)
echo "built $deb: $(dpkg-deb -f "$deb" Depends)"
apt_install "./$deb" >/dev/null
work=$(mktemp -d)
trap 'apt_locked env DEBIAN_FRONTEND=noninteractive apt-get remove -y -q domino-paths >/dev/null; rm -rf "$work"' EXIT
families_in build-package >"$work/families"
while IFS=$'\t' read -r family _; do
    for file in /usr/bin/{"$family","${family}_export"} \
        /usr/share/man/man1/{"$family","${family}_export"}.1; do
        [ -e "$file" ] || { echo "FAIL: the package did not install $file" >&2; exit 1; }
    done
done <"$work/families"
first=$(head -1 "$work/families" | cut -f1)
bash tests/xvfb_paging_test.sh "/usr/bin/$first"
echo "ok: the package installs every family's programs and pages, and the installed $first pages through in Xvfb"
