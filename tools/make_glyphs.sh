#!/bin/sh
# Builds tools/make_glyphs.cpp with the machine's own compiler against the
# system's Allegro and writes the glyph table it prints to the given file.
# Used by both builds: the browser build's pkg-config looks in Emscripten's
# sysroot, so the system's is asked with its search paths cleared.
#   tools/make_glyphs.sh OUTPUT.cpp
set -eu
out=$1
here=$(dirname "$0")
tool=$(mktemp /tmp/vorlix-make-glyphs-XXXXXX)
trap 'rm -f "$tool"' EXIT
flags=$(env -u PKG_CONFIG_LIBDIR -u PKG_CONFIG_PATH -u PKG_CONFIG_SYSROOT_DIR pkg-config --cflags --libs allegro)
${HOST_CXX:-c++} -O1 -o "$tool" "$here/make_glyphs.cpp" $flags
"$tool" > "$out.part"
mv "$out.part" "$out"
