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
