#!/bin/sh
# Writes the release tarball vorlix-VERSION.tar.gz of the committed tree, into
# the given folder (default: the top of the tree).
set -eu
cd "$(dirname "$0")/.."
version=$(tools/version.sh)
out=${1:-.}
git archive --format=tar.gz --prefix="vorlix-$version/" -o "$out/vorlix-$version.tar.gz" HEAD
echo "$out/vorlix-$version.tar.gz"
