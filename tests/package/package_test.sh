#!/bin/sh
# Builds the Debian package from a copy of the tree as a packager would,
# holds it to lintian (no errors, no warnings), checks what it holds, runs
# its autopkgtest smoke test against the package installed on this machine,
# and then removes every package that the test installed.
#   tests/package/package_test.sh WORK_DIR
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mkdir -p "$1" && cd "$1" && pwd)
version=$(cd "$top" && dpkg-parsechangelog -SVersion)
[ "$version" = "$("$top/tools/version.sh")" ] || { echo "FAIL: debian/changelog is at $version, the project at $("$top/tools/version.sh")"; exit 1; }
src=$work/vorlix-$version
as_root=
[ "$(id -u)" -eq 0 ] || as_root=sudo
. "$top/tools/apt.sh"
fail() { echo "FAIL: $*"; exit 1; }

rm -rf "$work"/vorlix*
mkdir -p "$src"
"$top/tools/copy-tree.sh" "$src"

(cd "$src" && dpkg-checkbuilddeps && dpkg-buildpackage -us -uc -b) > "$work/build.log" 2>&1 ||
    { tail -n 40 "$work/build.log"; fail "dpkg-buildpackage"; }
echo "built: $(cd "$work" && ls ./*.deb | tr '\n' ' ')"

# Every tag, the informational and pedantic ones too; errors and warnings fail.
echo "lintian:"
lintian --fail-on error,warning --info --display-info --pedantic --show-overrides \
    "$work/vorlix_${version}_amd64.changes" 2>&1 | grep -v "running with root privileges" || true
lintian --fail-on error,warning "$work/vorlix_${version}_amd64.changes" > /dev/null 2>&1 ||
    fail "lintian found errors or warnings"
echo "lintian: no errors, no warnings"

deb=$work/vorlix_${version}_amd64.deb
[ -f "$work/vorlix-dbgsym_${version}_amd64.deb" ] || fail "no -dbgsym package"
contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for f in ./usr/games/vorlix ./usr/libexec/vorlix/vorlix ./usr/share/games/vorlix/vorlix.cfg \
         ./usr/share/games/vorlix/hit.wav ./usr/share/applications/org.vorlix.Vorlix.desktop \
         ./usr/share/metainfo/org.vorlix.Vorlix.metainfo.xml ./usr/share/man/man6/vorlix.6.gz \
         ./usr/share/icons/hicolor/scalable/apps/vorlix.svg ./usr/share/doc/vorlix/copyright; do
    echo "$contents" | grep -qx "$f" || fail "package lacks $f"
done
echo "$contents" | grep -q "test\|bench\|fuzz\|site" && fail "package holds test or web files"
unpacked=$work/unpacked
dpkg-deb -x "$deb" "$unpacked"
file "$unpacked/usr/libexec/vorlix/vorlix" | grep -q ", stripped" || fail "the program is not stripped"
grep -q "<project_license>MIT</project_license>" "$unpacked/usr/share/metainfo/org.vorlix.Vorlix.metainfo.xml" ||
    fail "metadata licence"
dpkg-deb -f "$deb" Depends | grep -q "liballegro4.4" || fail "the package does not pull in Allegro 4"
echo "package holds what it should and depends on: $(dpkg-deb -f "$deb" Depends)"

# The smoke test installs the package on this machine; whatever it adds goes again.
dpkg-query -W -f '${Package}\n' | sort > "$work/packages-before"
cleanup() {
    dpkg-query -W -f '${Package}\n' | sort > "$work/packages-after"
    added=$(comm -13 "$work/packages-before" "$work/packages-after" | tr '\n' ' ')
    [ -z "$added" ] || { echo "removing: $added"; apt_get purge -y -q $added > /dev/null; }
}
trap cleanup EXIT
$as_root autopkgtest -B "$deb" "$src/" -- null > "$work/autopkgtest.log" 2>&1 ||
    { tail -n 40 "$work/autopkgtest.log"; fail "autopkgtest"; }
grep -E "^smoke +PASS" "$work/autopkgtest.log" | tail -n 1
echo "package test passed"
