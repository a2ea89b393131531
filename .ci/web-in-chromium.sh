#!/usr/bin/env bash
# The web build in Debian's Chromium, driven by puppeteer-core (pinned in
# tests/web): every page of every family's program pixel for pixel the
# Linux exporter's, the keys, the button, the count, the end and a failure;
# it also reports how fast the pages come. Then the explorer, against the
# exporters' pages and files, and its benchmark's report.
# Usage: web-in-chromium.sh LINUX_BUILD_FOLDER (holding the exporters)
set -euo pipefail
linux_build=$(realpath "$1")
cd "$(dirname "$0")/.."
. scripts/lib.sh
missing=()
[ -x /usr/bin/chromium ] || missing+=(chromium)
command -v npm >/dev/null || missing+=(nodejs npm)
if [ ${#missing[@]} -gt 0 ]; then
    apt_update
    apt_install "${missing[@]}" >/dev/null
fi
bash scripts/build-web.sh >/dev/null
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
pages=$(mktemp -d)
trap 'rm -rf "$pages"' EXIT
while IFS=$'\t' read -r family _; do
    "$linux_build/${family}_export" "$pages/$family" >/dev/null 2>&1
done < <(families_in "$linux_build")
node tests/web/web_test.mjs build-web "$pages" "$linux_build"
node tests/web/explore_test.mjs build-web "$linux_build"
node bench/explore_speed.mjs build-web
