#!/usr/bin/env bash
# The Debian package: built with cpack, installed with apt as a user would
# (its dependencies must resolve), the installed programs and manual pages
# checked, the installed diamond paged through in Xvfb, then removed again.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-package -j "$(nproc)" >/dev/null
(cd build-package && rm -f ./*.deb && cpack -G DEB >/dev/null)
deb=$(ls build-package/domino-paths_*.deb)
echo "built $deb: $(dpkg-deb -f "$deb" Depends)"
DEBIAN_FRONTEND=noninteractive apt-get install -y -q "./$deb" >/dev/null
trap 'DEBIAN_FRONTEND=noninteractive apt-get remove -y -q domino-paths >/dev/null' EXIT
for file in /usr/bin/{diamond,pyramid,diamond_export,pyramid_export} \
    /usr/share/man/man1/{diamond,pyramid,diamond_export,pyramid_export}.1; do
    [ -e "$file" ] || { echo "FAIL: the package did not install $file" >&2; exit 1; }
done
. tests/families.env
bash tests/xvfb_paging_test.sh /usr/bin/diamond "$diamond_pages"
echo "ok: the package installs, and the installed diamond pages through in Xvfb"
