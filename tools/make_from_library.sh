#!/bin/sh
# Builds one of the tools that take something from the library or from the
# game's headers at build time (tools/make_glyphs.cpp, tools/make_constants.cpp)
# with the machine's own compiler against the system's Allegro, and writes
# what it prints to the given file. Used by both builds: the browser build's
# pkg-config looks in Emscripten's sysroot, so the system's is asked with its
# search paths cleared. Further arguments go to the tool.
#   tools/make_from_library.sh TOOL OUTPUT [ARG...]
set -eu
name=$1
out=$2
shift 2
here=$(dirname "$0")
tool=$(mktemp /tmp/vorlix-$name-XXXXXX)
trap 'rm -f "$tool"' EXIT
flags=$(env -u PKG_CONFIG_LIBDIR -u PKG_CONFIG_PATH -u PKG_CONFIG_SYSROOT_DIR pkg-config --cflags --libs allegro)
${HOST_CXX:-c++} -std=c++17 -O1 -I"$here/../src" -o "$tool" "$here/$name.cpp" $flags
"$tool" "$@" > "$out.part"
mv "$out.part" "$out"
