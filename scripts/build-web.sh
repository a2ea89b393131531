#!/usr/bin/env bash
# Builds every family's program for a web browser with Debian's Emscripten
# and its own SDL 1.2: build-web/ then holds index.html, FAMILY.html with
# its .js and .wasm for each family, their first-page pictures, and the
# explorer, explore.html with its script's ES modules in explore/ and its
# module explore_core.js and .wasm (the build itself is in build-web-cmake/).
# Everything is local files; serve the folder with any static web server,
# for instance: python3 -m http.server -b 127.0.0.1 -d build-web
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
out=$top/build-web

. scripts/lib.sh
if ! command -v emcmake >/dev/null || ! command -v cmake >/dev/null ||
    [ ! -d /usr/include/boost/multiprecision ]; then
    apt_update
    apt_install --no-install-recommends emscripten cmake make libboost-dev
fi
# Boost's headers from a folder that holds them alone: the host's other
# headers must not stand in for Emscripten's own.
mkdir -p "$top/build-web-cmake/boost-headers"
ln -sfn /usr/include/boost "$top/build-web-cmake/boost-headers/boost"
# Debian's Emscripten finds its JavaScript modules (acorn) through Debian's
# node; any other node needs to be told where they are.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

# zlib, which compresses the PDF pages, from Debian 12's source package,
# built with Emscripten once and kept in build-web-cmake/zlib, so that the
# explorer's PDF files are the exporters' byte for byte.
zlib=$top/build-web-cmake/zlib
if [ ! -f "$zlib/prefix/lib/libz.a" ]; then
    command -v dpkg-source >/dev/null || { apt_update; apt_install --no-install-recommends dpkg-dev; }
    rm -rf "$zlib"
    fetch_debian_sources "$zlib" zlib >/dev/null
    # Emscripten has unistd.h, which zlib is told of by its configure script
    # elsewhere.
    build_zlib_with "$(echo "$zlib"/src/zlib-*/)" "$zlib/build" "$zlib/prefix" \
        "emcc -DZ_HAVE_UNISTD_H" emar
fi
emcmake cmake -S "$top" -B "$top/build-web-cmake" -DCMAKE_BUILD_TYPE=Release \
    -DBOOST_HEADERS="$top/build-web-cmake/boost-headers" \
    -DZLIB_INCLUDE_DIR="$zlib/prefix/include" -DZLIB_LIBRARY="$zlib/prefix/lib/libz.a" >/dev/null
cmake --build "$top/build-web-cmake" -j "$(nproc)"
mkdir -p "$out"
# Every family's program page, with its script and module.
for page in "$top"/build-web-cmake/*.html; do
    cp "${page%.html}".{html,js,wasm} "$out/"
done
cp "$top/build-web-cmake/explore_core".{js,wasm} "$out/"
cp web/index.html web/explore.html docs/*-page-1.png "$out/"
# The explorer's script, its ES modules, copied afresh: a module no longer
# in web/explore/ leaves build-web/ too.
rm -rf "$out/explore"
cp -r web/explore "$out/explore"
echo "built $out: serve it with: python3 -m http.server -b 127.0.0.1 -d $out"
ls -l "$out"
