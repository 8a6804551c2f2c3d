# The set-up's apt waits its turn: with every lock free it runs at once and
# says nothing; while another process holds a lock it says who holds which
# and runs once the lock is let go; past its time limit it says so, fails and
# does not run apt at all. The locks are files of the test's own, held with
# flock (/proc/locks lists those as it lists apt's own), and "apt-get" is a
# stand-in that notes it ran.
# Arguments: APT_SH (tools/apt.sh)
set -u
apt_sh=$1
work=$(mktemp -d /tmp/vorlix-apt-wait-XXXXXX)
trap 'kill $holder 2>/dev/null; rm -rf "$work"' EXIT
mkdir "$work/bin"
printf '#!/bin/sh\necho "apt-get ran: $*" | tee "%s/ran"\n' "$work" > "$work/bin/apt-get"
chmod +x "$work/bin/apt-get" "$work/bin"
touch "$work/free" "$work/held"
holder=
failed=0

# CASE NAME HOLD_SECONDS LIMIT_SECONDS EXPECTED_STATUS EXPECTED_WORDS RAN
expect() {
    local name=$1 hold=$2 limit=$3 status=$4 words=$5 ran=$6
    rm -f "$work/ran"
    if [ "$hold" -gt 0 ]; then
        flock "$work/held" sleep "$hold" & holder=$!
        until grep -q ":$(stat -c %i "$work/held") " /proc/locks; do sleep 0.05; done
    fi
    out=$(PATH="$work/bin:$PATH" VORLIX_APT_LOCKS="$work/free $work/held" VORLIX_APT_WAIT=$limit \
        sh -c ". '$apt_sh'; apt_as_root=; apt_get install -y a-package" 2>&1)
    got=$?
    wait "$holder" 2>/dev/null
    if [ "$got" != "$status" ] || ! echo "$out" | grep -q -- "$words" ||
       { [ "$ran" = yes ] && [ ! -f "$work/ran" ]; } || { [ "$ran" = no ] && [ -f "$work/ran" ]; }; then
        echo "FAIL $name: status $got, said \"$out\", apt $( [ -f "$work/ran" ] && echo ran || echo "did not run")"
        failed=1
    fi
}

expect "every lock free" 0 5 0 "^apt-get ran: -o DPkg::Lock::Timeout=[0-9]* install -y a-package$" yes
expect "a lock held a moment" 2 30 0 "waiting up to 30 s for the package manager's lock: flock (process [0-9]*) holds $work/held" yes
expect "a lock held past the limit" 4 1 1 "gave up waiting after 1 s: flock (process [0-9]*) holds $work/held" no
[ "$failed" = 0 ] && echo "apt waits its turn for a held lock, says for whom, and gives up after its limit"
exit $failed
