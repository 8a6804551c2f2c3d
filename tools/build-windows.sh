#!/bin/sh
# Builds Vorlix for 64-bit Windows on Debian: Allegro 4.4 from Debian's own
# source of it, mended by the patches in src/windows/allegro, as a static
# library; then the game against it. Leaves in build-windows/ (or OUT_DIR):
#   vorlix.exe                    the windowed program, built with -static
#   vorlix-VERSION-win64.zip      a folder that plays where it is unpacked
#   vorlix-VERSION-setup.exe      an installer that needs no administrator
# The library's upstream tarball is fetched by apt, by package name, through
# a sources list made from the machine's own (tools/debian-sources.sh), is
# checked against the checksum in Debian's .dsc, and is kept in
# VORLIX_WINDOWS_CACHE (~/.cache/vorlix-windows) for the next build. Extra
# arguments go to the game's CMake configuration.
#   tools/build-windows.sh [OUT_DIR [CMAKE_ARGS...]]
set -eu
cd "$(dirname "$0")/.."
top=$PWD
. tools/packages.sh
tools/setup.sh $windows_build_packages
out=${1:-build-windows}
[ $# -gt 0 ] && shift
mkdir -p "$out"
out=$(cd "$out" && pwd)
cache=${VORLIX_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vorlix-windows}
version=$(tools/version.sh)
library=allegro4.4
upstream=4.4.3.1
tarball=${library}_$upstream.orig.tar.gz
jobs=$(nproc)
fail() { echo "tools/build-windows.sh: $*" >&2; exit 1; }

# The checksum the .dsc gives for a file it names.
dsc_sha256() { awk -v f="$2" '/^Checksums-Sha256:/ { on = 1; next } /^[^ ]/ { on = 0 } on && $3 == f { print $1 }' "$1"; }

# The newest .dsc of this upstream version in the cache, if any.
cached_dsc() { ls "$cache"/${library}_$upstream-*.dsc 2>/dev/null | tail -n 1; }
# Whether the cached tarball is the one the .dsc names.
tarball_matches() { [ "$(sha256sum "$cache/$tarball" | cut -d' ' -f1)" = "$(dsc_sha256 "$1" "$tarball")" ]; }

# Fetches the .dsc and the upstream tarball with apt, unless the cache has
# them. Debian's own packaging of it is not needed: the game mends the
# library with its own patches.
fetch_source() {
    dsc=$(cached_dsc)
    [ -n "$dsc" ] && [ -f "$cache/$tarball" ] && tarball_matches "$dsc" && return 0
    apt_dir=$cache/apt
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
    tools/debian-sources.sh deb-src > "$apt_dir/sources.list"
    set -- -o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null \
        -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache" -o Debug::NoLocking=1
    [ "$(id -u)" -eq 0 ] && set -- "$@" -o APT::Sandbox::User=root
    echo "fetching $library's source with apt, from: $(cut -d' ' -f2- "$apt_dir/sources.list" | tr '\n' ' ')"
    apt-get "$@" -q update > "$apt_dir/update.log" 2>&1 || { cat "$apt_dir/update.log"; fail "apt-get update"; }
    # apt fetches the source into a folder of its own and checks each file
    # against the archive's index. Debian's own packaging of it, which the
    # mirror may no longer serve, is not needed: apt then fails for want of
    # it, and the build goes on with the two files it needs, if apt has them.
    fetched=$cache/fetched
    rm -rf "$fetched"
    mkdir -p "$fetched"
    (cd "$fetched" && apt-get "$@" -q source --download-only "$library") > "$apt_dir/source.log" 2>&1 || true
    mv "$fetched"/${library}_$upstream-*.dsc "$fetched/$tarball" "$cache"/ 2>/dev/null
    rm -rf "$fetched"
    dsc=$(cached_dsc)
    [ -n "$dsc" ] && [ -f "$cache/$tarball" ] ||
        { cat "$apt_dir/source.log"; fail "apt did not serve $library $upstream (the patches are for that version)"; }
    tarball_matches "$dsc" || { rm -f "$cache/$tarball"; fail "$tarball does not match the checksum in $(basename "$dsc")"; }
}

# Unpacks the library, mends it and builds it; a pointer or integer cast
# that would cut a pointer fails the build.
build_library() {
    rm -rf "$out/allegro-src" "$out/allegro-build" "$out/allegro"
    mkdir -p "$out/allegro-src"
    tar -xzf "$cache/$tarball" -C "$out/allegro-src" --strip-components=1
    for patch in src/windows/allegro/*.patch; do
        patch -d "$out/allegro-src" -p1 --quiet --forward < "$patch" || fail "$patch does not apply"
    done
    cmake -S "$out/allegro-src" -B "$out/allegro-build" -Wno-dev -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$top/src/windows/toolchain.cmake" -DCMAKE_INSTALL_PREFIX="$out/allegro" \
        -DCMAKE_C_FLAGS="-Werror=pointer-to-int-cast -Werror=int-to-pointer-cast" \
        -DSHARED=OFF -DWANT_EXAMPLES=OFF -DWANT_TOOLS=OFF -DWANT_TESTS=OFF -DWANT_ALLEGROGL=OFF \
        -DWANT_LOADPNG=OFF -DWANT_LOGG=OFF -DWANT_JPGALLEG=OFF -DWANT_DOCS=OFF > "$out/allegro-build.log" 2>&1 &&
    cmake --build "$out/allegro-build" -j"$jobs" >> "$out/allegro-build.log" 2>&1 &&
    cmake --install "$out/allegro-build" >> "$out/allegro-build.log" 2>&1 ||
        { tail -n 30 "$out/allegro-build.log"; fail "the library did not build"; }
    cp "$out/allegro-src/docs/txt/license.txt" "$out/allegro/license.txt"
}

mkdir -p "$cache"
fetch_source
build_library
cmake -S . -B "$out/game" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$top/src/windows/toolchain.cmake" \
    -DVORLIX_ALLEGRO_WINDOWS="$out/allegro" "$@" > /dev/null
cmake --build "$out/game" -j"$jobs"
cp "$out/game/vorlix.exe" "$out/vorlix.exe"

# The zip: one folder, the program stripped.
folder=vorlix-$version
rm -rf "$out/stage" "$out/$folder-win64.zip"
cmake --install "$out/game" --strip --prefix "$out/stage/$folder" > /dev/null
(cd "$out/stage" && zip -q -r -X "$out/$folder-win64.zip" "$folder")
makensis -V2 -DSTAGE="$out/stage/$folder" -DOUTPUT="$out/$folder-setup.exe" "$out/game/installer.nsi"
echo "built for Windows in $out:"
(cd "$out" && stat -c "    %s bytes  %n" vorlix.exe "$folder-win64.zip" "$folder-setup.exe")
