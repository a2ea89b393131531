#!/usr/bin/env bash
# How long the exporters take to count, and to find and draw one figure, by
# order: each statistic alone at orders 100 to 1,000 (diamond, pyramid) and
# by flats to order 100 (aztec); two statistics, and one under a filter on
# the others, at orders 10 to 30, the worst question there (two counted,
# the other two filtered on ranges that keep nearly every figure); a
# figure by number and by steps, and a random one, at orders 100 to 1,000.
# Each the best of three runs: wall time, CPU time (user and system) and
# peak memory (resident), from GNU time. Reports, asserts nothing.
# Usage: count_speed.sh BUILD_FOLDER
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -x /usr/bin/time ] || { echo "count_speed: needs GNU time (/usr/bin/time)" >&2; exit 1; }

# The best of three runs of the command: "wall s | CPU s | peak MB".
best_of_three() {
    local best=
    for _ in 1 2 3; do
        /usr/bin/time -o "$work/time" -f "%e %U %S %M" "$@" >/dev/null 2>&1
        read -r wall user system peak <"$work/time"
        local line
        line=$(awk -v w="$wall" -v u="$user" -v s="$system" -v m="$peak" \
            'BEGIN { printf "%.2f s | %.2f s | %.0f MB", w, u + s, m / 1024 }')
        if [ -z "$best" ] || awk -v a="${line%% *}" -v b="${best%% *}" 'BEGIN { exit !(a < b) }'; then
            best=$line
        fi
    done
    echo "$best"
}

echo "| exporter | order | counts by | wall | CPU | peak memory |"
echo "|---|---|---|---|---|---|"
for family in diamond pyramid; do
    for order in 100 300 1000; do
        for statistic in flats peaks returns height; do
            echo "| \`${family}_export\` | $order | $statistic | $(best_of_three \
                "$build/${family}_export" --order "$order" --counts "$statistic") |"
        done
    done
done
for order in 5 100; do
    echo "| \`aztec_export\` | $order | flats | $(best_of_three \
        "$build/aztec_export" --order "$order" --counts flats) |"
done
echo "| \`aztec_export\` | 5 | peaks,height where flats=3-12 | $(best_of_three \
    "$build/aztec_export" --order 5 --counts peaks,height --where flats=3-12) |"

echo
echo "| exporter | order | question | wall | CPU | peak memory |"
echo "|---|---|---|---|---|---|"
for family in diamond pyramid; do
    for order in 10 20 30; do
        last=$((order - 1))
        for question in "flats,peaks" "returns,height" \
            "peaks,height --where flats=0-$last,returns=1-$((2 * order - 1))" \
            "flats,peaks --where returns=1-$((2 * order - 1)),height=1-$last"; do
            # shellcheck disable=SC2086 # the question's words are options
            echo "| \`${family}_export\` | $order | ${question} | $(best_of_three \
                "$build/${family}_export" --order "$order" --counts $question) |"
        done
    done
done

echo
echo "| exporter | order | figure | wall | CPU | peak memory |"
echo "|---|---|---|---|---|---|"
for family in diamond pyramid; do
    for order in 100 300 1000; do
        # A figure of the order drawn at random: a number of full length.
        figure=$("$build/${family}_export" --order "$order" --list --random 7 | tail -1)
        number=$(cut -f1 <<<"$figure")
        steps=$(cut -f3 <<<"$figure")
        echo "| \`${family}_export\` | $order | --list --figure K (${#number} digits) | $(best_of_three \
            "$build/${family}_export" --order "$order" --list --figure "$number") |"
        echo "| \`${family}_export\` | $order | --list --figure STEPS | $(best_of_three \
            "$build/${family}_export" --order "$order" --list --figure "$steps") |"
        echo "| \`${family}_export\` | $order | --random 7 FOLDER (PNG) | $(best_of_three \
            "$build/${family}_export" --order "$order" --random 7 "$work/random") |"
    done
done
