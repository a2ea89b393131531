#!/usr/bin/env bash
# Builds both programs for a web browser with Debian's Emscripten and its
# own SDL 1.2: build-web/ then holds index.html, diamond.html and
# pyramid.html with their .js and .wasm, the two first-page pictures, and
# the explorer, explore.html with explore.js and its module explore_core.js
# and .wasm (the build itself is in build-web-cmake/).
# Everything is local files; serve the folder with any static web server,
# for instance: python3 -m http.server -d build-web
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
out=$top/build-web

run_as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
if ! command -v emcmake >/dev/null || ! command -v cmake >/dev/null; then
    run_as_root apt-get update -q
    run_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        emscripten cmake make
fi
# Debian's Emscripten finds its JavaScript modules (acorn) through Debian's
# node; any other node needs to be told where they are.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

emcmake cmake -S "$top" -B "$top/build-web-cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$top/build-web-cmake" -j "$(nproc)"
mkdir -p "$out"
for program in diamond pyramid; do
    cp "$top/build-web-cmake/$program".{html,js,wasm} "$out/"
done
cp "$top/build-web-cmake/explore_core".{js,wasm} "$out/"
cp web/index.html web/explore.html web/explore.js docs/diamond-page-1.png docs/pyramid-page-1.png "$out/"
echo "built $out: serve it with: python3 -m http.server -d $out"
ls -l "$out"
