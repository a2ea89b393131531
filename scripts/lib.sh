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
