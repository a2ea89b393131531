#!/usr/bin/env bash
# Installs, from Debian's archive, everything needed to build the programs
# and run the whole test suite.
set -euo pipefail
packages=(
    g++ cmake make pkg-config
    libsdl1.2-dev          # SDL 1.2: window, surface and events
    libsdl1.2-compat       # SDL 1.2 over SDL2, which the window tests run against too
    libpng-dev             # pages written as PNG images
    libgtest-dev           # unit tests
    libbenchmark-dev       # the page benchmark
    xvfb xdotool           # the programs in a real X server, driven by key presses
    imagemagick            # window captures compared with the exported pages
    librsvg2-bin libxml2-utils   # SVG pages rendered (rsvg-convert) and checked (xmllint)
    libx11-dev             # the helper that closes a window as a window manager does
    valgrind clang-tidy cppcheck   # memory and static checks
    dpkg-dev               # the Debian package's dependencies (dpkg-shlibdeps)
)
run_as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
run_as_root apt-get update -q
run_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${packages[@]}"
