#!/bin/sh
# Prints the game's version, as the project in CMakeLists.txt names it: the
# one version that the title, the manual page, the metadata and the tests use.
sed -n 's/^project(vorlix VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../CMakeLists.txt"
