#!/usr/bin/env bash
# The README's commands as a new user runs them, on a fresh minimal Debian
# (debootstrap minbase; trixie, Debian 13, unless told bookworm, Debian 12)
# in build-SUITE/: the quick start (diamond finds no display there: it must
# say so in one line and exit 1), the test command, the web build, and the
# slow checks' installer (its packages only: the slow checks themselves
# take the better part of an hour, and register qemu with binfmt_misc,
# which a chroot shares with its host), in a clean copy of the committed
# tree. Prints each step's
# time and, for the installs, apt's own figures: packages, download and
# disk. Any step failing fails it. Runs as root (debootstrap, chroot and
# mount need it).
# Usage: fresh-debian.sh [--reuse] [trixie|bookworm]  (--reuse: keep the
# system an earlier run made, with all it installed; only the project is
# laid anew)
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd -P)
project=/root/domino-paths
reuse=
suite=trixie
for argument in "$@"; do
    case $argument in
        --reuse) reuse=yes ;;
        trixie | bookworm) suite=$argument ;;
        *) echo "usage: $0 [--reuse] [trixie|bookworm]" >&2; exit 2 ;;
    esac
done
case $suite in
    trixie) release=13 ;;
    bookworm) release=12 ;;
esac
me="fresh Debian $release"
work=$top/build-$suite
root=$work/root
logs=$work/logs
[ "$(id -u)" -eq 0 ] || { echo "$me: needs root (debootstrap, chroot, mount)" >&2; exit 1; }
. scripts/lib.sh
started=$(date +%s)

# Whatever is mounted in the system, deepest first.
mounts_in_root() { awk -v r="$root/" 'index($2 "/", r) == 1 {print $2}' /proc/mounts | sort -r; }

# A process left in the system (the Xvfb of a test cut short, say) keeps
# its mounts busy; every one there was started here.
end_processes_in_root() {
    local proc
    for proc in /proc/[0-9]*; do
        [ "$(readlink "$proc/root" 2>/dev/null)" = "$root" ] && kill -KILL "${proc#/proc/}" 2>/dev/null
    done
    return 0
}

unmount_all() {
    local mount
    end_processes_in_root
    sleep 0.5
    for mount in $(mounts_in_root); do
        umount "$mount" 2>/dev/null || umount -l "$mount" || echo "$me: cannot unmount $mount" >&2
    done
}
# A signal ends the script through exit, so that the EXIT trap runs too.
trap unmount_all EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

if [ -n "$reuse" ] && [ -x "$root/usr/bin/apt-get" ]; then
    echo "== reusing the Debian $(cat "$root/etc/debian_version") system in $root"
else
    unmount_all
    [ -z "$(mounts_in_root)" ] || { echo "$me: $root still has mounts" >&2; exit 1; }
    # --one-file-system: never into a mount that somehow stayed.
    rm -rf --one-file-system "$work"
    # From the lists apt already has, if they hold it: the host's update can
    # fail on an index this does not need.
    if ! command -v debootstrap >/dev/null; then
        apt_install --no-install-recommends debootstrap >/dev/null || {
            apt_update
            apt_install --no-install-recommends debootstrap >/dev/null
        }
    fi
    echo "== debootstrap --variant=minbase $suite"
    step_start=$(date +%s)
    mkdir -p "$root"
    debootstrap --variant=minbase $suite "$root" http://deb.debian.org/debian \
        >"$work/debootstrap.log" 2>&1 ||
        { tail -20 "$work/debootstrap.log" >&2; echo "$me: debootstrap failed" >&2; exit 1; }
    grep -q "^$release\\." "$root/etc/debian_version" ||
        { echo "$me: debootstrap made Debian $(cat "$root/etc/debian_version"), not $release" >&2; exit 1; }
    echo "(Debian $(cat "$root/etc/debian_version") minbase in $(($(date +%s) - step_start)) s)"
fi
mkdir -p "$logs"

# No service starts inside the chroot during installs.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount -t tmpfs -o mode=1777 shm "$root/dev/shm"

# The committed tree, as a clone or an unpacked archive gives it.
rm -rf "${root:?}$project"
mkdir -p "$root$project"
git archive HEAD | tar -x -C "$root$project"
echo "(the project at $(git rev-parse --short HEAD) in $project)"

# Runs a command line in the project's folder in the system, with a plain
# environment and no terminal, logged to LOGS/NAME.log; sets `step_status`
# and `step_seconds`.
in_fresh_debian() {
    local name=$1 command=$2 step_start
    echo "== $name: $command"
    step_start=$(date +%s)
    set +e
    chroot "$root" env -i HOME=/root LANG=C.UTF-8 \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        bash -c "cd $project && $command" </dev/null 2>&1 | tee "$logs/$name.log"
    step_status=${PIPESTATUS[0]}
    set -e
    step_seconds=$(($(date +%s) - step_start))
    echo "($name: $step_seconds s, status $step_status)"
}

# apt's own figures in a step's log, summed over its installs: packages
# newly installed, what it said it would download, and the disk space it
# said they would use.
to_bytes() {
    awk -v n="${1//,/}" -v u="$2" 'BEGIN {
        f = (u == "B") ? 1 : (u == "kB") ? 1e3 : (u == "MB") ? 1e6 : (u == "GB") ? 1e9 : -1
        if (f < 0 || n !~ /^[0-9.]+$/) exit 1
        printf "%.0f\n", n * f }'
}
apt_figures() {
    local line count amount unit bytes packages=0 download=0 disk=0
    while read -r line; do
        case $line in
            *" upgraded, "*" newly installed, "*)
                count=${line#*upgraded, }
                packages=$((packages + ${count%% newly*})) ;;
            "Need to get "*)
                # "Need to get 12.3 MB of archives." or, partly cached, "0 B/12.3 MB".
                read -r amount unit _ <<<"${line#Need to get }"
                bytes=$(to_bytes "${amount%%/*}" "${unit%%/*}") || { echo "cannot read apt's '$line'"; return 1; }
                download=$((download + bytes)) ;;
            "After this operation, "*" additional disk space will be used.")
                read -r amount unit _ <<<"${line#After this operation, }"
                bytes=$(to_bytes "$amount" "$unit") || { echo "cannot read apt's '$line'"; return 1; }
                disk=$((disk + bytes)) ;;
        esac
    done <"$logs/$1.log"
    echo "$packages packages, $((download / 1000000)) MB download, $((disk / 1000000)) MB on disk"
}

failed=()
summary=()
# A step's line in the summary, with apt's figures where it installed.
record() {
    local name=$1 figures
    if figures=$(apt_figures "$name"); then
        summary+=("$name: $step_seconds s, status $step_status; apt: $figures")
    else
        summary+=("$name: $step_seconds s, status $step_status; $figures")
        failed+=("$name")
    fi
}

# diamond finds no display there: its one line and status 1 are its
# success, and it runs only once every step before it succeeded.
in_fresh_debian quick-start \
    'bash scripts/install-deps.sh && cmake -S . -B build && cmake --build build -j2 && ./build/diamond'
record quick-start
if [ "$step_status" -ne 1 ] || ! grep -q '^diamond: no display' <<<"$(tail -1 "$logs/quick-start.log")"; then
    echo "FAIL: the quick start did not end with diamond's 'diamond: no display' and status 1" >&2
    failed+=(quick-start)
else
    # All it says, alone: one line.
    set +e
    said=$(chroot "$root" env -i bash -c "cd $project && ./build/diamond" </dev/null 2>&1)
    diamond_status=$?
    set -e
    if [ "$diamond_status" -ne 1 ] || [ "$(printf '%s\n' "$said" | wc -l)" -ne 1 ]; then
        echo "FAIL: diamond with no display: status $diamond_status, output '$said'" >&2
        failed+=(quick-start)
    fi
fi

in_fresh_debian tests 'bash scripts/install-deps.sh --tests && bash scripts/run-tests.sh'
record tests
[ "$step_status" -eq 0 ] || failed+=(tests)

in_fresh_debian web 'bash scripts/build-web.sh'
record web
[ "$step_status" -eq 0 ] || failed+=(web)

in_fresh_debian slow-packages 'bash scripts/install-deps.sh --slow'
record slow-packages
[ "$step_status" -eq 0 ] || failed+=(slow-packages)

echo "Debian $(cat "$root/etc/debian_version") ($suite), $(date -u +%Y-%m-%d):"
printf '  %s\n' "${summary[@]}"
echo "  all of .ci/fresh-debian.sh $suite: $(($(date +%s) - started)) s"
if [ "${#failed[@]}" -gt 0 ]; then
    echo "$me: failed: $(printf '%s\n' "${failed[@]}" | sort -u | tr '\n' ' ')" >&2
    exit 1
fi
echo "Debian $release: the quick start, the test command, the web build and the slow checks' installer passed"
