#!/usr/bin/env bash
# Installs, from Debian's archive, what building and running the four
# programs needs; with --tests, also everything the whole test suite and the
# Debian package need.
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
    libbenchmark-dev       # the page benchmark
    libxtst-dev libxdamage-dev   # the latency harness: key presses and screen changes
    xvfb xdotool           # the programs in a real X server, driven by key presses
    imagemagick            # window captures compared with the exported pages
    librsvg2-bin libxml2-utils   # SVG pages rendered (rsvg-convert) and checked (xmllint)
    libx11-dev             # the helper that closes a window as a window manager does
    valgrind clang-tidy cppcheck   # memory and static checks
    dpkg-dev file          # the Debian package: dependencies (dpkg-shlibdeps), cpack's file check
)
# TikZ pages compiled (pdflatex with TikZ) and rendered (pdftoppm); without
# recommends, which would bring hundreds of megabytes of fonts and docs.
tex_packages=(texlive-latex-base texlive-latex-recommended texlive-pictures poppler-utils)
case ${1-} in
    "" | --tests) ;;
    *) echo "usage: $0 [--tests]" >&2; exit 2 ;;
esac
cd "$(dirname "$0")/.."
. scripts/lib.sh
apt_update
# Recommended packages are for the tests' tools only (fonts for Xvfb and
# ImageMagick, say); the programs build without them.
apt_install --no-install-recommends "${packages[@]}"
if [ "${1-}" = --tests ]; then
    apt_install "${test_packages[@]}"
    apt_install --no-install-recommends "${tex_packages[@]}"
fi
exit 0
