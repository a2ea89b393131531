#!/usr/bin/env bash
# Installs, from Debian's archive, what building and running the four
# programs needs; with --tests, also what the README's test command
# (scripts/run-tests.sh) needs; with --slow, that and what the slow checks
# (scripts/run-slow-checks.sh) need besides: the static analysers,
# valgrind, the latency harness's and the benchmark's libraries, and the
# release checks' tools (Chromium and Emscripten, MinGW and Wine, the
# Debian package's, debootstrap).
set -euo pipefail
packages=(
    g++ cmake make pkg-config
    libsdl1.2-dev          # SDL 1.2: window, surface and events
    libpng-dev             # pages written as PNG images
    libboost-dev           # Boost.Multiprecision (header-only): counts of any size
)
test_packages=(
    libsdl1.2-compat       # SDL 1.2 over SDL2, which the window tests run against too
    libgtest-dev           # unit tests
    xvfb xdotool           # the programs in a real X server, driven by key presses
    imagemagick            # window captures compared with the exported pages
    librsvg2-bin           # SVG pages rendered (rsvg-convert)
    libx11-dev             # the tests' X clients: a window closed as a window manager does, the focus dropped
)
# TikZ pages compiled (pdflatex with TikZ) and rendered (pdftoppm); without
# recommends, which would bring hundreds of megabytes of fonts and docs.
tex_packages=(texlive-latex-base texlive-latex-recommended texlive-pictures poppler-utils)
slow_packages=(
    valgrind clang-tidy cppcheck   # memory and static checks
    libbenchmark-dev       # the page benchmark, built with the sanitizers
    libxtst-dev libxdamage-dev   # the latency harness: key presses and screen changes
    dpkg-dev file          # the Debian package: dependencies (dpkg-shlibdeps), cpack's file check
    chromium               # the web build's pages and the explorer, driven by puppeteer-core
)
# Node.js and npm for puppeteer-core, where there is no npm yet: a Node.js
# from elsewhere may carry its own npm, which Debian's npm conflicts with.
command -v npm >/dev/null || slow_packages+=(nodejs npm)
# Without recommends, as the scripts that use them install them when run
# alone.
slow_packages_without_recommends=(
    emscripten             # the web build
    g++-mingw-w64-i686 binutils-mingw-w64-i686 zip ca-certificates   # the Windows build
    curl                   # Wine's i386 packages fetched when the mirror's index is out of step
    debootstrap            # the fresh Debian 13 system
)
case ${1-} in
    "" | --tests | --slow) ;;
    *) echo "usage: $0 [--tests|--slow]" >&2; exit 2 ;;
esac
cd "$(dirname "$0")/.."
. scripts/lib.sh
apt_update
# Recommended packages are for the tests' tools only (fonts for Xvfb and
# ImageMagick, say); the programs build without them.
apt_install --no-install-recommends "${packages[@]}"
if [ -n "${1-}" ]; then
    apt_install "${test_packages[@]}"
    apt_install --no-install-recommends "${tex_packages[@]}"
fi
if [ "${1-}" = --slow ]; then
    apt_install "${slow_packages[@]}"
    apt_install --no-install-recommends "${slow_packages_without_recommends[@]}"
    # Wine's 32-bit packages need i386 in dpkg's architectures, and a way
    # round a mirror whose i386 index is out of step (scripts/lib.sh).
    install_wine
fi
exit 0
