#!/bin/sh
# Installs the Debian packages named on the command line that are missing,
# through sudo when not run as root, waiting its turn for apt's lock.
set -eu
. "$(dirname "$0")/apt.sh"
missing=
for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing="$missing $pkg"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
apt_get update
apt_get install -y $missing
