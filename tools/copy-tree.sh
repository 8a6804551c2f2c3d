#!/bin/bash
# Copies the tree as a packager has it into DEST: every committed file and
# every file not ignored, with what is changed in them and without what is
# deleted.
#   tools/copy-tree.sh DEST
set -eu
dest=$1
cd "$(dirname "$0")/.."
mkdir -p "$dest"
git ls-files -co --exclude-standard -z |
    while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done |
    tar --null -T - -cf - | tar -xf - -C "$dest"
