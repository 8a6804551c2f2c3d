#!/bin/sh
# Installs the Debian packages named on the command line that are missing,
# through sudo when not run as root.
set -eu
missing=
for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing="$missing $pkg"
done
[ -z "$missing" ] && exit 0
as_root=
[ "$(id -u)" -eq 0 ] || as_root=sudo
echo "Installing:$missing"
$as_root apt-get update
DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y $missing
