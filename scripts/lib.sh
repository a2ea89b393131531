# Shell helpers the project's scripts share. Source it from the top of the
# project: . scripts/lib.sh

# A command as root: directly when we are, through sudo otherwise.
run_as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# The project's own apt calls one at a time, where CI runs several checks
# at once that may each install what they need (apt itself refuses a second
# apt at once, or waits only for dpkg).
apt_locked() { run_as_root flock /tmp/.domino-paths-apt.lock "$@"; }

# apt-get update, tried again a few times: while a mirror syncs, an index
# can come with the wrong size ("Mirror sync in progress?") and fail it.
# If it still fails, what it could fetch is used, and the install that
# follows says what is missing.
apt_update() {
    local attempt
    for attempt in 1 2 3; do
        apt_locked apt-get update -q -o Acquire::Retries=3 && return 0
        [ "$attempt" -lt 3 ] || break
        echo "apt-get update failed (attempt $attempt); trying again in $((attempt * 10)) s" >&2
        sleep $((attempt * 10))
    done
    echo "apt-get update failed three times: going on with the indexes it could fetch" >&2
}

# apt-get install, with no question asked.
apt_install() { apt_locked env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@"; }

# The families a build holds, a line each: NAME LARGEST USUAL PAGES FIGURES
# ONE RANDOM (the largest order drawn page by page, the order its program
# draws, and that order's pages and figures; the largest order of one
# figure alone, and of a random one), tab-separated, from BUILD/family_list.
families_in() { "$1/family_list"; }

# Debian 12's source packages PACKAGE ... unpacked with Debian's patches into
# DEPS/src, through apt with a source list of our own (in DEPS/apt): nothing
# in /etc/apt is changed. Usage: fetch_debian_sources DEPS PACKAGE ...
fetch_debian_sources() {
    local deps=$1
    shift
    local apt=$deps/apt
    mkdir -p "$apt/sources" "$apt/lists/partial" "$apt/cache/archives/partial" "$deps/src"
    cat >"$apt/sources/debian-bookworm-src.sources" <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
SOURCES
    local options=(-o Dir::Etc::SourceParts="$apt/sources" -o Dir::Etc::SourceList=/dev/null
                   -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache"
                   -o Debug::NoLocking=1 -o APT::Sandbox::User=root)
    local attempt
    for attempt in 1 2 3 4 5; do
        apt-get "${options[@]}" update -q && break
        [ "$attempt" -lt 5 ] || return 1
        sleep $((attempt * 10))
    done
    (cd "$deps/src" && apt-get "${options[@]}" source --download-only "$@")
    local dsc
    for dsc in "$deps"/src/*.dsc; do
        (cd "$deps/src" && dpkg-source --no-check -x "$dsc" >/dev/null)
    done
}

# zlib's library files, as Debian's source holds them (it leaves out zlib's
# own makefiles for other systems): compiled with CC and packed with AR
# into PREFIX/lib/libz.a, its headers into PREFIX/include.
# Usage: build_zlib_with SRC BUILD PREFIX CC AR
build_zlib_with() {
    local src=$1 build=$2 prefix=$3 cc=$4 ar=$5 f
    rm -rf "$build" && mkdir -p "$build" "$prefix/lib" "$prefix/include"
    for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast \
        inflate inftrees trees uncompr zutil; do
        $cc -O2 -c "$src/$f.c" -o "$build/$f.o"
    done
    $ar rcs "$prefix/lib/libz.a" "$build"/*.o
    cp "$src/zlib.h" "$src/zconf.h" "$prefix/include/"
}

# Wine with its 32-bit side, and qemu-user to run that side on kernels that
# run no 32-bit program, with i386 added to dpkg's architectures: the
# Windows check's, and the slow tier's installer's. More packages may be
# named, to come in the same apt call.
wine_packages=(wine wine32:i386 wine64 qemu-user-static)
install_wine() {
    local wanted=("${wine_packages[@]}" "$@")
    dpkg -s "${wanted[@]}" >/dev/null 2>&1 && return 0
    run_as_root dpkg --add-architecture i386
    apt_update
    apt_install --no-install-recommends "${wanted[@]}" ||
        install_wine_from_the_index_as_served "${wanted[@]}"
}

# A mirror whose i386 index of security updates no longer matches its signed
# release file (seen here: "File has unexpected size ... Mirror sync in
# progress?", for days) leaves Wine's i386 libraries uninstallable beside
# the amd64 ones from the same updates. Then that index is taken as the
# mirror serves it, as a local repository of its own, and the packages it
# lists that Wine needs are fetched into it, each checked against the
# index's checksum by apt; said so in one line.
install_wine_from_the_index_as_served() {
    local work status=0
    work=$(mktemp -d)
    # Its steps tried one after the other, whether or not the caller stops
    # at a failure: the update that reads the out-of-step index fails again.
    _install_from_the_index_as_served "$work" "$@" || status=$?
    rm -rf "$work"
    return "$status"
}
_install_from_the_index_as_served() {
    local work=$1 uri path
    shift
    local repository=$work/i386-updates parts=$work/apt-parts
    local archive=http://deb.debian.org/debian-security
    mkdir -p "$repository" "$parts"
    # apt reads a file: repository as its own unprivileged user (_apt), and
    # mktemp makes the folder for its owner alone.
    chmod a+rx "$work"
    curl -fsS -o "$repository/Packages.xz" "$archive/dists/bookworm-security/main/binary-i386/Packages.xz" ||
        return 1
    cp /etc/apt/sources.list.d/*.sources "$parts/" 2>/dev/null
    printf 'Types: deb\nURIs: file:%s\nSuites: ./\nArchitectures: i386\nTrusted: yes\n' \
        "$repository" >"$parts/i386-updates.sources"
    local apt=(-o Dir::Etc::SourceParts="$parts")
    apt_locked apt-get "${apt[@]}" update -q >/dev/null 2>&1
    local fetched=0
    while read -r uri _; do
        path=${uri#\'file:$repository/}
        path=${path%\'}
        mkdir -p "$repository/$(dirname "$(printf '%b' "${path//%/\\x}")")"
        curl -fsS -o "$repository/$(printf '%b' "${path//%/\\x}")" "$archive/$path" || return 1
        fetched=$((fetched + 1))
    done < <(apt-get "${apt[@]}" install -qq --print-uris --no-install-recommends "$@" |
                 grep "^'file:$repository/")
    [ "$fetched" -gt 0 ] || { echo "apt took nothing from the i386 index as served" >&2; return 1; }
    echo "the mirror's i386 index of security updates does not match its release file: Wine's" \
        "i386 packages came from that index as the mirror serves it" >&2
    apt_install "${apt[@]}" --no-install-recommends "$@"
}

# Checks run beside the caller's own work, each in a process group of its
# own (setsid) so that it can be stopped whole, its output held in a log
# until it is waited for. start_beside NAME COMMAND...
declare -A beside_pid=() beside_log=()
start_beside() {
    local name=$1
    shift
    beside_log[$name]=$(mktemp)
    setsid "$@" >"${beside_log[$name]}" 2>&1 </dev/null &
    beside_pid[$name]=$!
}
# Waits for the check NAME, prints its output, and returns its status.
finish_beside() {
    local name=$1 status=0
    wait "${beside_pid[$name]}" || status=$?
    unset "beside_pid[$name]"
    cat "${beside_log[$name]}"
    rm -f "${beside_log[$name]}"
    unset "beside_log[$name]"
    return "$status"
}
# For an EXIT trap: every check still running beside is stopped, its whole
# process group at once (its own exit then cleans up: the fresh Debian's
# system is unmounted), and no log is left behind.
stop_beside() {
    local name
    for name in "${!beside_pid[@]}"; do
        kill -TERM -- "-${beside_pid[$name]}" 2>/dev/null
        wait "${beside_pid[$name]}" 2>/dev/null || true
    done
    for name in "${!beside_log[@]}"; do rm -f "${beside_log[$name]}"; done
}
