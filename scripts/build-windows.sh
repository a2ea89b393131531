#!/usr/bin/env bash
# Cross-builds the programs of every family for 32-bit Windows on Debian 12 and packs
# them with SDL.dll into build-windows/domino-paths-windows-i686.zip, with
# the project's licence and those of SDL, zlib and libpng.
# SDL 1.2.15, zlib and libpng come from Debian's own source packages, with
# Debian's patches applied; SDL is built as SDL.dll, zlib and libpng are
# linked in statically. The libraries are built once and kept in
# build-windows/deps.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
out=$top/build-windows
deps=$out/deps
prefix=$deps/prefix
jobs=$(nproc)
host=i686-w64-mingw32

. scripts/lib.sh
if ! command -v $host-g++ >/dev/null || ! command -v dpkg-source >/dev/null ||
    ! command -v zip >/dev/null || ! command -v cmake >/dev/null ||
    [ ! -d /usr/include/boost/multiprecision ]; then
    apt_update
    apt_install --no-install-recommends g++-mingw-w64-i686 binutils-mingw-w64-i686 dpkg-dev make \
        cmake zip ca-certificates libboost-dev
fi
# Boost's headers (header-only Multiprecision) from a folder that holds
# them alone: the host's other headers must not stand in for MinGW's.
mkdir -p "$out/boost-headers"
ln -sfn /usr/include/boost "$out/boost-headers/boost"

fetch_sources() {
    fetch_debian_sources "$deps" libsdl1.2 zlib libpng1.6
}

build_zlib() {
    build_zlib_with "$(echo "$deps"/src/zlib-*/)" "$deps/zlib-build" "$prefix" $host-gcc $host-ar
}

build_libpng() {
    local src build=$deps/libpng-build
    src=$(echo "$deps"/src/libpng1.6-*/)
    rm -rf "$build" && mkdir -p "$build"
    (cd "$build" && "$src/configure" --host=$host --prefix="$prefix" --disable-shared \
        --enable-static CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib" >configure.log &&
        make -j "$jobs" >make.log && make install >install.log)
}

build_sdl() {
    local src build=$deps/sdl-build
    src=$(echo "$deps"/src/libsdl1.2-*/)
    rm -rf "$build" && mkdir -p "$build"
    # -static-libgcc in CC: libtool drops it from LDFLAGS, and without it
    # SDL.dll needs libgcc_s_dw2-1.dll.
    (cd "$build" && "$src/configure" --host=$host --prefix="$prefix" \
        CC="$host-gcc -static-libgcc" >configure.log &&
        make -j "$jobs" >make.log && make install >install.log)
}

if [ ! -f "$prefix/bin/SDL.dll" ]; then
    rm -rf "$deps"
    fetch_sources
    build_zlib
    build_libpng
    build_sdl
fi

cmake -S "$top" -B "$out/build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" \
    -DCMAKE_FIND_ROOT_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DBOOST_HEADERS="$out/boost-headers" >/dev/null
cmake --build "$out/build" -j "$jobs"

dist=$out/dist
rm -rf "$dist" && mkdir -p "$dist"
# Every family's two programs.
cp "$out"/build/*.exe "$prefix/bin/SDL.dll" "$dist/"
$host-strip "$dist"/*.exe "$dist"/*.dll
# Nothing but Windows' own DLLs and SDL.dll may be needed.
for exe in "$dist"/*.exe "$dist/SDL.dll"; do
    extra=$($host-objdump -p "$exe" | awk '/DLL Name/ {print $3}' |
        grep -viE '^(SDL|KERNEL32|USER32|GDI32|ADVAPI32|WINMM|msvcrt)\.dll$' || true)
    [ -z "$extra" ] || { echo "$exe needs $extra" >&2; exit 1; }
done
# The licences: ours, SDL's LGPL 2.1 (SDL.dll is shipped, so where its exact
# source is goes with it), and zlib's and libpng's, linked in.
version_of() { local dsc; dsc=$(echo "$deps/src/$1"_*.dsc); dsc=${dsc##*/}; dsc=${dsc#*_}; echo "${dsc%.dsc}"; }
cp "$top/LICENSE" "$dist/LICENSE.txt"
cp "$deps"/src/libsdl1.2-*/COPYING "$dist/SDL-LICENSE.txt"
cp "$deps"/src/zlib-*/LICENSE "$dist/zlib-LICENSE.txt"
cp "$deps"/src/libpng1.6-*/LICENSE "$dist/libpng-LICENSE.txt"
cat >"$dist/THIRD-PARTY.txt" <<NOTICE
domino-paths for 32-bit Windows contains, besides its own code (MIT licence,
LICENSE.txt):

- SDL.dll: SDL 1.2.15, under the GNU Lesser General Public License 2.1
  (SDL-LICENSE.txt), built with no change of ours from Debian's source
  package libsdl1.2, version $(version_of libsdl1.2) (Debian's patches applied), whose complete source
  is in the Debian archive (on Debian: apt-get source libsdl1.2=$(version_of libsdl1.2)).
  You may replace SDL.dll with your own build of SDL 1.2.
- zlib 1.2.13, under the zlib licence (zlib-LICENSE.txt), linked into the
  exporters, from Debian's source package zlib, version $(version_of zlib).
- libpng 1.6.39, under the libpng licence (libpng-LICENSE.txt), linked into
  the exporters, from Debian's source package libpng1.6, version $(version_of libpng1.6).
NOTICE
# Windows' own tools read these files with CR LF line ends.
sed -i 's/\r\?$/\r/' "$dist"/*.txt
rm -f "$out/domino-paths-windows-i686.zip"
(cd "$dist" && zip -q -9 "$out/domino-paths-windows-i686.zip" ./*)
echo "built $out/domino-paths-windows-i686.zip:"
ls -l "$dist"
