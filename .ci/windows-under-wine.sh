#!/usr/bin/env bash
# The Windows programs, cross-built, run under Wine in Xvfb: every page
# pyramid's window shows must be, pixel for pixel, the Linux exporter's
# page; the last key press ends the program with status 0; its count is in
# stdout.txt beside it; without a display it fails in one line in
# stderr.txt; diamond's exporter writes the Linux pages twice into one
# folder, and draws the Linux random figure for a seed at its largest
# order, as does every family that draws a random figure past its numbered
# ones. Each Windows process costs a minute or more where Wine's 32-bit
# side runs under qemu, so the platform's own behaviour is checked once,
# not family by family (the families' code is the same everywhere, and
# checked here through the exporters' pages), and the exporters are checked
# beside the window.
# Usage: windows-under-wine.sh LINUX_BUILD_FOLDER (holding the exporters)
set -u
linux_build=$(realpath "$1")
cd "$(dirname "$0")/.."
name=windows
# shellcheck source=tests/xvfb_common.sh
. tests/xvfb_common.sh

. scripts/lib.sh
install_wine xvfb xdotool imagemagick >/dev/null || fail "cannot install Wine"
bash scripts/build-windows.sh >/dev/null || fail "the Windows build failed"

# Some kernels run no 32-bit program at all (i386 execve gives ENOEXEC).
# There Wine's 32-bit side runs under qemu-user, registered with
# binfmt_misc for i386 programs for this check only, in a prefix made by
# 64-bit Wine (one made by 32-bit Wine under qemu takes far too long).
# Every comparison is the same either way; only the waits are longer.
# WINE_UNDER_QEMU=1 takes the qemu way where 32-bit code runs natively.
binfmt=/proc/sys/fs/binfmt_misc
binfmt_entry=domino-paths-i386
mounted_binfmt=
leave_binfmt_as_it_was() {
    [ -e "$binfmt/$binfmt_entry" ] && echo -1 >"$binfmt/$binfmt_entry"
    [ -n "$mounted_binfmt" ] && umount "$binfmt"
    cleanup
}
run_i386_under_qemu() {
    [ "$(id -u)" -eq 0 ] || fail "registering qemu with binfmt_misc needs root"
    if ! grep -q " $binfmt binfmt_misc " /proc/mounts; then
        mount -t binfmt_misc binfmt_misc "$binfmt" || fail "cannot mount $binfmt"
        mounted_binfmt=yes
    fi
    trap leave_binfmt_as_it_was EXIT
    [ -e "$binfmt/$binfmt_entry" ] && echo -1 >"$binfmt/$binfmt_entry"
    # qemu's own description of a 32-bit x86 ELF program (executable or
    # shared); F opens the interpreter now, so it is found from anywhere.
    printf '%s' ":$binfmt_entry:M::"'\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'":/usr/bin/qemu-i386-static:F" \
        >"$binfmt/register" || fail "cannot register qemu-i386 with binfmt_misc"
    # Without it Wine cannot map its shared user data under qemu.
    export QEMU_RESERVED_VA=0xffff0000
    /usr/lib/wine/wine --version >/dev/null 2>&1 || fail "Wine's 32-bit loader does not run under qemu"
}
if [ "${WINE_UNDER_QEMU:-0}" != 1 ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    way="32-bit code runs natively"
    boot=(wine wineboot -i)
    slow=1
else
    way="32-bit code runs under qemu-i386 (binfmt_misc)"
    run_i386_under_qemu
    boot=(/usr/lib/wine/wine64 wineboot -i)
    # A 32-bit Wine process takes about a minute to start under qemu.
    slow=20
fi
echo "Windows programs under Wine: $way"

start_xvfb import compare wine
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
started=$(date +%s)
timeout 1200 "${boot[@]}" >/dev/null 2>&1 || fail "wineboot failed"
echo "(the Wine prefix took $(($(date +%s) - started)) s)"
# With no window manager, windows Wine leaves unmanaged close at once and
# take key presses where the pointer is.
"${boot[0]}" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 ||
    fail "cannot set Wine's X11 driver to unmanaged windows"

# Differing pixels between the window's inside and the Linux page N: Wine
# draws its own frame, the same width left, right and below.
difference() {
    local geometry width height side
    geometry=$(xdotool getwindowgeometry "$window" 2>/dev/null | awk '/Geometry/ {print $2}')
    width=${geometry%x*}
    height=${geometry#*x}
    [ -n "$width" ] && [ "$width" -ge 800 ] || { echo unknown; return; }
    side=$(((width - 800) / 2))
    import -window "$window" -depth 8 "$work/shot.png" 2>/dev/null || { echo unknown; return; }
    convert "$work/shot.png" -crop "800x600+$side+$((height - 600 - side))" +repage \
        "$work/inside.png" 2>/dev/null || { echo unknown; return; }
    compare -metric AE "$work/inside.png" "$work/linux-$program/page-$1.png" null: 2>&1 |
        cut -d' ' -f1
}
expect_page() {
    local diff=
    for _ in $(seq $((80 * slow))); do
        running || fail "$program.exe exited while page $1 was expected"
        if [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "$program - page $1" ]; then
            diff=$(difference "$1")
            [ "$diff" = 0 ] && return 0
        fi
        sleep 0.1
    done
    fail "$program.exe never showed page $1 exactly ($diff pixels differ)"
}

session() {
    program=$1
    local pages expected_stdout status
    expected_stdout=$("$linux_build/${program}_export" "$work/linux-$program" 2>/dev/null) ||
        fail "the Linux exporter of $program failed"
    pages=$(find "$work/linux-$program" -name 'page-*.png' | wc -l)
    rm -rf "$work/win" && cp -r build-windows/dist "$work/win"
    (cd "$work/win" && exec wine "./$program.exe") >/dev/null 2>&1 &
    app=$!
    window=
    for _ in $(seq $((150 * slow))); do
        window=$(xdotool search --name "^$program - page 1\$" 2>/dev/null | head -1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "$program.exe showed no window"
    xdotool mousemove 400 300
    for page in $(seq 1 "$pages"); do
        expect_page "$page"
        xdotool key space
    done
    for _ in $(seq $((100 * slow))); do running || break; sleep 0.1; done
    running && fail "$program.exe still running after the last page"
    wait "$app"
    status=$?
    app=
    [ "$status" -eq 0 ] || fail "$program.exe exit status $status"
    [ "$(cat "$work/win/stdout.txt" 2>/dev/null)" = "$expected_stdout" ] ||
        fail "$program.exe stdout.txt held '$(cat "$work/win/stdout.txt" 2>/dev/null)'"
    [ -e "$work/win/stderr.txt" ] && fail "$program.exe wrote stderr.txt"
    echo "ok: $program.exe under Wine showed all $pages pages exactly and exited with status 0"
}

exports() {
    program=$1
    local expected_stdout page
    expected_stdout=$("$linux_build/${program}_export" "$work/linux-again" 2>/dev/null) ||
        fail "the Linux exporter of $program failed"
    mkdir -p "$work/exports"
    cp -r build-windows/dist/. "$work/exports/"
    (cd "$work/exports" && timeout $((60 * slow)) wine "./${program}_export.exe" pages >out.txt 2>err.txt) ||
        fail "${program}_export.exe failed: $(cat "$work/exports/err.txt")"
    # Again into the same folder: every page is replaced, and the first
    # run's lock is gone with it.
    (cd "$work/exports" && timeout $((60 * slow)) wine "./${program}_export.exe" pages >out.txt 2>err.txt) ||
        fail "${program}_export.exe failed on a second run: $(cat "$work/exports/err.txt")"
    [ "$(tr -d '\r' <"$work/exports/out.txt")" = "$expected_stdout" ] ||
        fail "${program}_export.exe printed '$(cat "$work/exports/out.txt")'"
    [ "$(ls "$work/exports/pages")" = "$(ls "$work/linux-again")" ] ||
        fail "${program}_export.exe wrote other files: $(ls -A "$work/exports/pages" | tr '\n' ' ')"
    for page in "$work/linux-again"/*.png; do
        [ "$(compare -metric AE "$work/exports/pages/${page##*/}" "$page" null: 2>&1)" = 0 ] ||
            fail "${program}_export.exe wrote another ${page##*/}"
    done
    echo "ok: ${program}_export.exe wrote the Linux pages, twice into one folder"
}

# The random figure a family's exporter draws for a seed at its largest
# order, the Linux one: a line of the list where it is numbered (32-bit
# Windows has other limbs for the counts; the first such family alone, as
# the counting is shared), the picture where a random one has no number.
random_figures() {
    local family one random linux_line windows_line numbered=
    while IFS=$'\t' read -r family _ _ _ _ one random; do
        if [ "$random" -gt "$one" ]; then
            # At most order 1,000 (a picture of 2,002 pixels a side): ImageMagick's
            # policy refuses to read the 8,002-pixel one of order 4,000, and
            # every word of a row already takes its turn at 1,000.
            [ "$random" -le 1000 ] || random=1000
            "$linux_build/${family}_export" --order "$random" --random 42 "$work/linux-random" \
                >/dev/null 2>&1 || fail "the Linux exporter of $family failed at order $random"
            (cd "$work/exports" && timeout $((120 * slow)) wine "./${family}_export.exe" \
                --order "$random" --random 42 random >/dev/null 2>&1) ||
                fail "${family}_export.exe failed at order $random"
            [ "$(compare -metric AE "$work/exports/random/random-42.png" "$work/linux-random/random-42.png" null: 2>&1)" = 0 ] ||
                fail "${family}_export.exe drew another random figure of order $random for seed 42"
            echo "ok: ${family}_export.exe drew the Linux random figure of order $random for seed 42"
            continue
        fi
        [ -z "$numbered" ] || continue
        numbered=$family
        linux_line=$("$linux_build/${family}_export" --order "$one" --list --random 18446744073709551615 |
            tail -1)
        windows_line=$(cd "$work/exports" && timeout $((60 * slow)) wine "./${family}_export.exe" \
            --order "$one" --list --random 18446744073709551615 | tr -d '\r' | tail -1)
        [ -n "$linux_line" ] && [ "$windows_line" = "$linux_line" ] ||
            fail "${family}_export.exe drew another random figure: '$windows_line', not '$linux_line'"
        echo "ok: ${family}_export.exe drew the Linux random figure of order $one"
    done < <(families_in "$linux_build")
}

# The exporters beside the window: each Windows process keeps a core busy.
(exports diamond && random_figures) >"$work/exports.log" 2>&1 &
exporters=$!
session pyramid

rm -rf "$work/win" && cp -r build-windows/dist "$work/win"
(cd "$work/win" && env -u DISPLAY timeout $((60 * slow)) wine ./pyramid.exe >/dev/null 2>&1)
status=$?
[ "$status" -eq 1 ] || fail "without a display pyramid.exe exit status $status"
[ "$(wc -l <"$work/win/stderr.txt")" -eq 1 ] && grep -q '^pyramid: no display' "$work/win/stderr.txt" ||
    fail "without a display stderr.txt held '$(cat "$work/win/stderr.txt")'"
echo "ok: without a display pyramid.exe said '$(tr -d '\r' <"$work/win/stderr.txt")' and exited 1"

wait "$exporters" || { cat "$work/exports.log"; fail "the exporters' checks failed"; }
cat "$work/exports.log"
echo "Windows programs under Wine ($way): all checks passed in $(($(date +%s) - started)) s"
