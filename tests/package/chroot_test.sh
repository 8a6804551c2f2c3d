#!/bin/sh
# Builds the source package where Debian builds it: in a clean Debian 12
# chroot that holds nothing but build-essential (debootstrap's buildd
# variant) and what debian/control names. First the nocheck build, with only
# the Build-Depends that the nocheck profile keeps, then the default build,
# which runs the fast tests; each result is installed there and started.
# The chroot's base, with the nocheck Build-Depends in it, and the packages
# it downloads are kept in VORLIX_CHROOT_CACHE, so that a rerun costs about a
# minute. Needs root (through sudo when not run as root).
#   tests/package/chroot_test.sh WORK_DIR
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mkdir -p "$1" && cd "$1" && pwd)
cache=${VORLIX_CHROOT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vorlix-chroot}
# The mirror this machine takes its own packages from, so that the chroot is
# made wherever apt works.
mirror=${VORLIX_DEBIAN_MIRROR:-$("$top/tools/debian-sources.sh" mirror)}
version=$("$top/tools/version.sh")
as_root=
[ "$(id -u)" -eq 0 ] || as_root=sudo
fail() { echo "FAIL: $*"; exit 1; }
root=$work/root
mkdir -p "$cache/archives/partial"

# A base is made afresh when debian/control changes, and once a week.
key=$(sha256sum "$top/debian/control" | cut -c1-16)
base=$cache/bookworm-buildd-$key.tar
find "$cache" -maxdepth 1 -name 'bookworm-buildd-*.tar' -mtime +7 -exec $as_root rm -f {} +

unmount() {
    for m in var/cache/apt/archives proc; do
        mountpoint -q "$root/$m" 2>/dev/null && $as_root umount "$root/$m"
    done
    return 0
}
cleanup() {
    unmount
    $as_root rm -rf "$root"
}
trap cleanup EXIT
# apt without a terminal of its own: the chroot has no /dev/pts.
in_chroot() { $as_root chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive APT_CONFIG=/etc/apt/vorlix-test.conf "$@"; }
enter() {
    $as_root cp /etc/resolv.conf "$root/etc/resolv.conf"
    echo 'Dpkg::Use-Pty "0";' | $as_root tee "$root/etc/apt/vorlix-test.conf" > /dev/null
    $as_root mount -t proc proc "$root/proc"
    $as_root mount --bind "$cache/archives" "$root/var/cache/apt/archives"
}
# The tree as a packager has it, in the chroot's /build/NAME.
unpack_source() {
    $as_root rm -rf "$root/build/$1"
    $as_root "$top/tools/copy-tree.sh" "$root/build/$1/vorlix-$version"
}
# Builds in the chroot with the given options; its log's last lines are shown.
build() {
    name=$1
    shift
    unpack_source "$name"
    if ! in_chroot sh -c "cd /build/$name/vorlix-$version && $*" > "$work/$name.log" 2>&1; then
        tail -n 40 "$work/$name.log"
        fail "the $name build in the clean chroot"
    fi
    echo "the $name build in the clean chroot, its tests and its last lines:"
    { grep -E "tests passed|tests failed" "$work/$name.log" || echo "no tests run"; tail -n 6 "$work/$name.log"; } |
        sed 's/^/    /'
}
# The package installed in the chroot starts, and with no display says so.
install_and_start() {
    in_chroot sh -c "apt-get install -y -q /build/$1/vorlix_${version}_amd64.deb" > "$work/$1-install.log" 2>&1 ||
        { tail -n 20 "$work/$1-install.log"; fail "installing the $1 build in the chroot"; }
    said=$(in_chroot sh -c 'mkdir -p /tmp/player && cd /tmp && HOME=/tmp/player /usr/games/vorlix' 2>/dev/null) ||
        fail "the installed game did not exit with status 0"
    [ "$said" = "Graphics error or wrong resolution." ] || fail "the installed game said: $said"
    in_chroot test -f /tmp/player/.config/vorlix/vorlix.cfg || fail "the launcher made no game directory"
    in_chroot apt-get purge -y -q vorlix > /dev/null
    echo "the $1 build installs in the clean chroot, and the game starts from its launcher"
}

$as_root rm -rf "$root"
mkdir -p "$root"
if [ -f "$base" ]; then
    $as_root tar -xf "$base" -C "$root"
    enter
else
    echo "making the chroot's base (debootstrap --variant=buildd bookworm) into $cache"
    $as_root debootstrap --variant=buildd bookworm "$root" "$mirror" > "$work/debootstrap.log" 2>&1 ||
        { tail -n 20 "$work/debootstrap.log"; fail "debootstrap"; }
    enter
    unpack_source base
    in_chroot sh -c "apt-get update -q && apt-get build-dep -y -q -P nocheck /build/base/vorlix-$version" \
        > "$work/base.log" 2>&1 || { tail -n 20 "$work/base.log"; fail "the nocheck Build-Depends"; }
    $as_root rm -rf "$root/build"
    unmount
    $as_root tar -cf "$base.part" -C "$root" . && $as_root mv "$base.part" "$base"
    enter
fi

build nocheck DEB_BUILD_OPTIONS=nocheck DEB_BUILD_PROFILES=nocheck dpkg-buildpackage -us -uc -b
install_and_start nocheck
build default "apt-get build-dep -y -q . && dpkg-buildpackage -us -uc -b"
install_and_start default
echo "chroot test passed: built with only build-essential and the Build-Depends, with and without the tests"
