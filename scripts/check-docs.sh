#!/usr/bin/env bash
# Checks every example the documentation gives against the programs:
#  - in README.md and docs/*.md, each ```console block: each "$ COMMAND"
#    line is run, in a fresh folder with the build's programs first on the
#    PATH, and what it prints (standard output and error) must be the
#    lines that follow it, exactly;
#  - in the exporters' manual pages, each figure's title ("figure 3: rise
#    flat fall flat flat") and list line quoted must be the program's own
#    at its usual order, and each command of EXAMPLES must succeed.
# Usage: check-docs.sh BUILD_FOLDER
set -euo pipefail
build=$(realpath "$1")
cd "$(dirname "$0")/.."
top=$PWD
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PATH="$build:$PATH"
checked=0
failed=0

# One example: COMMAND, and the file holding what it must print.
check_example() {
    local command=$1 expected=$2 where=$3
    local folder
    folder=$(mktemp -d "$work/example-XXXXXX")
    (cd "$folder" && bash -c "$command" >"$work/got" 2>&1) || true
    checked=$((checked + 1))
    if ! diff -u "$expected" "$work/got" >"$work/diff"; then
        failed=$((failed + 1))
        echo "FAIL: $where: $ $command" >&2
        sed 's/^/  /' "$work/diff" >&2
    fi
}

for doc in README.md docs/*.md; do
    in_block=0
    command=
    line_number=0
    : >"$work/expected"
    while IFS= read -r line || [ -n "$line" ]; do
        line_number=$((line_number + 1))
        if [ "$in_block" = 0 ]; then
            [ "$line" = '```console' ] && in_block=1
            continue
        fi
        if [ "$line" = '```' ] || [ "${line:0:2}" = '$ ' ]; then
            [ -n "$command" ] && check_example "$command" "$work/expected" "$doc:$command_line"
            command=
            : >"$work/expected"
            if [ "$line" = '```' ]; then in_block=0; continue; fi
            command=${line:2}
            command_line=$line_number
            continue
        fi
        printf '%s\n' "$line" >>"$work/expected"
    done <"$doc"
done

# The exporters' manual pages: quoted titles and list lines, and examples.
for page in */*_export.1; do
    program=$(basename "$page" .1)
    "$program" --list >"$work/list"
    while IFS= read -r title; do
        number=${title#figure }
        number=${number%%:*}
        steps=${title#*: }
        listed=$(awk -F'\t' -v n="$number" '$1 == n {print $3}' "$work/list")
        checked=$((checked + 1))
        if [ "$listed" != "$steps" ]; then
            failed=$((failed + 1))
            echo "FAIL: $page: \"$title\", but figure $number is \"$listed\"" >&2
        fi
    done < <(grep -o '"figure [0-9]*: [a-z |]*"' "$page" | tr -d '"')
    while IFS= read -r quoted; do
        line=$(printf '%s' "$quoted" | sed 's/<TAB>/\t/g')
        checked=$((checked + 1))
        if ! grep -qxF "$line" "$work/list"; then
            failed=$((failed + 1))
            echo "FAIL: $page: the list line \"$quoted\" is not the program's" >&2
        fi
    done < <(grep -o '"[0-9]*<TAB>[0-9]*<TAB>[^"]*"' "$page" | tr -d '"')
    while IFS= read -r example; do
        command=$(printf '%s' "$example" | sed 's/^\.B //; s/\\-/-/g')
        folder=$(mktemp -d "$work/example-XXXXXX")
        checked=$((checked + 1))
        if ! (cd "$folder" && bash -c "$command" >/dev/null 2>"$work/err"); then
            failed=$((failed + 1))
            echo "FAIL: $page: the example \"$command\" failed: $(head -1 "$work/err")" >&2
        fi
    done < <(sed -n '/^\.SH EXAMPLES/,/^\.SH /p' "$page" | grep '^\.B ')
done

echo "documentation: $checked examples checked, $failed wrong"
[ "$failed" -eq 0 ]
