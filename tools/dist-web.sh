#!/bin/sh
# Writes the browser version as one archive that a game portal takes as it
# is, vorlix-web-VERSION.zip, from the built site (tools/build-web.sh): every
# file at the top of the archive, every path in the page relative, so that
# it plays from any folder of any site.
#   tools/dist-web.sh [OUTPUT_FOLDER]   (default: build-web)
set -eu
cd "$(dirname "$0")/.."
version=$(tools/version.sh)
site=build-web/site
out=$(mkdir -p "${1:-build-web}" && cd "${1:-build-web}" && pwd)
[ -f "$site/index.html" ] || { echo "tools/dist-web.sh: no site in $site; run tools/build-web.sh first" >&2; exit 1; }
archive=$out/vorlix-web-$version.zip
rm -f "$archive"
# The files the service worker keeps, and the worker, in a fixed order, so
# that the same site makes the same archive.
sed -n "s/^const FILES = \[\(.*\)\];$/\1/p" "$site/sw.js" | tr -d "' " | tr ',' '\n' > "$out/vorlix-web-files"
echo sw.js >> "$out/vorlix-web-files"
(cd "$site" && cmake -E tar cf "$archive" --format=zip --mtime=1970-01-01 --files-from="$out/vorlix-web-files")
rm -f "$out/vorlix-web-files"
echo "$archive"
