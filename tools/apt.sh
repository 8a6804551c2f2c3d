# apt-get as the set-up and the package tests run it, sourced: it waits its
# turn while another package manager holds apt's or dpkg's lock (the
# system's own unattended upgrades do, in a new machine's first minutes),
# saying what it waits for, for up to VORLIX_APT_WAIT seconds (600), and
# fails with a message after that. VORLIX_APT_LOCKS names the lock files.
#   . tools/apt.sh; apt_get ARG...

apt_locks=${VORLIX_APT_LOCKS:-/var/lib/dpkg/lock-frontend /var/lib/dpkg/lock /var/lib/apt/lists/lock /var/cache/apt/archives/lock}
apt_as_root=
[ "$(id -u)" -eq 0 ] || apt_as_root=sudo

# Says which process holds one of the locks, as "NAME (process PID) holds
# FILE", or nothing when all are free: /proc/locks names each lock by the
# device and inode of its file.
apt_lock_holder() {
    for file in $apt_locks; do
        [ -e "$file" ] || continue
        id=$(stat -L -c '%Hd %Ld %i' "$file" | awk '{ printf "%02x:%02x:%s", $1, $2, $3 }')
        pid=$(awk -v id="$id" '$0 !~ /->/ && $6 == id { print $5; exit }' /proc/locks)
        if [ -n "$pid" ]; then
            echo "$(cat "/proc/$pid/comm" 2>/dev/null || echo "a process") (process $pid) holds $file"
            return
        fi
    done
}

apt_get() {
    limit=${VORLIX_APT_WAIT:-600}
    deadline=$(( $(date +%s) + limit ))
    said=
    while holder=$(apt_lock_holder); [ -n "$holder" ]; do
        if [ "$(date +%s)" -ge "$deadline" ]; then
            echo "apt: gave up waiting after $limit s: $holder" >&2
            return 1
        fi
        [ -n "$said" ] || echo "apt: waiting up to $limit s for the package manager's lock: $holder"
        said=1
        sleep 1
    done
    # A lock taken again between the look and apt's own start is waited for
    # by apt itself (installs only; it says so too).
    left=$(( deadline - $(date +%s) ))
    $apt_as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=$(( left > 1 ? left : 1 )) "$@"
}
