#!/usr/bin/env bash
# How long the exporters take for their largest orders drawn page by page
# (diamond 7: 48,639 figures on 3,243 pages; pyramid 8: 41,586 figures on
# 1,387 pages), in each format, and PNG's time against SVG's: a report, not
# a test; and a random figure past the numbered orders.
# Usage: export_speed.sh BUILD_FOLDER (holding the exporters)
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "| exporter | order | format | pages | time | size |"
echo "|---|---|---|---|---|---|"
ratios=()
cd "$(dirname "$0")/.."
. scripts/lib.sh
while IFS=$'\t' read -r family largest _; do
    set -- "${family}_export" "$largest"
    declare -A took=()
    for format in png svg tikz; do
        option=()
        [ "$format" = png ] || option=("--$format")
        start=$(date +%s%N)
        "$build/$1" "${option[@]}" --order "$2" "$work/$format" >/dev/null 2>&1
        elapsed=$((($(date +%s%N) - start) / 1000000))
        took[$format]=$elapsed
        echo "| \`$1\` | $2 | $format | $(ls "$work/$format" | wc -l) | $((elapsed / 1000)).$((elapsed % 1000 / 100)) s | $(du -sh "$work/$format" | cut -f1) |"
        rm -rf "${work:?}/$format"
    done
    ratio=$((100 * took[png] / took[svg]))
    ratios+=("$1 --order $2: PNG takes $((ratio / 100)).$(printf %02d $((ratio % 100))) times as long as SVG")
done < <(families_in "$build")
echo
printf '%s\n' "${ratios[@]}"

# A random figure past the numbered orders, where a family draws one, at
# its largest order: sampled and written, the median of five runs each.
echo
echo "| exporter | order | random figure | format | median of 5 | size |"
echo "|---|---|---|---|---|---|"
while IFS=$'\t' read -r family _ _ _ _ one random; do
    [ "$random" -gt "$one" ] || continue
    for format in png svg tikz; do
        option=()
        [ "$format" = png ] || option=("--$format")
        times=()
        for seed in 1 2 3 4 5; do
            start=$(date +%s%N)
            "$build/${family}_export" "${option[@]}" --order "$random" --random "$seed" \
                "$work/random" >/dev/null 2>&1
            times+=($((($(date +%s%N) - start) / 1000000)))
            size=$(du -sh "$work/random" | cut -f1)
            rm -rf "${work:?}/random"
        done
        median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
        echo "| \`${family}_export\` | $random | --random | $format | $median ms | $size |"
    done
done < <(families_in "$build")
