#!/usr/bin/env bash
# The web build in Debian's Chromium, driven by puppeteer-core (pinned in
# tests/web): every page of both programs pixel for pixel the Linux
# exporter's, the keys, the button, the count, the end and a failure; it
# also reports how fast the pages come. Then the explorer, against the
# exporters' pages and files, and its benchmark's report.
# Usage: web-in-chromium.sh LINUX_BUILD_FOLDER (holding the exporters)
set -euo pipefail
linux_build=$(realpath "$1")
cd "$(dirname "$0")/.."
run_as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
missing=()
[ -x /usr/bin/chromium ] || missing+=(chromium)
command -v npm >/dev/null || missing+=(nodejs npm)
if [ ${#missing[@]} -gt 0 ]; then
    run_as_root apt-get update -q
    run_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}" >/dev/null
fi
bash scripts/build-web.sh >/dev/null
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
pages=$(mktemp -d)
trap 'rm -rf "$pages"' EXIT
"$linux_build/diamond_export" "$pages/diamond" >/dev/null 2>&1
"$linux_build/pyramid_export" "$pages/pyramid" >/dev/null 2>&1
node tests/web/web_test.mjs build-web "$pages"
node tests/web/explore_test.mjs build-web "$linux_build"
node bench/explore_speed.mjs build-web
