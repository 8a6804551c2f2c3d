#!/bin/sh
# Every build option the README offers builds on its own, from a fresh build
# folder: the game alone (tests off), the benchmarks without the tests, and
# the sanitizers without the tests. (The tests, the fuzz targets and the
# browser version are built by the stages that run them.)
#   tests/package/options_test.sh WORK_DIR
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mkdir -p "$1" && cd "$1" && pwd)
for options in "" "-DVORLIX_BENCHMARKS=ON" "-DVORLIX_SANITIZE=address,undefined"; do
    build=$work/build
    rm -rf "$build"
    # shellcheck disable=SC2086 # the options are words
    if ! { cmake -S "$top" -B "$build" $options && cmake --build "$build" -j"$(nproc)"; } > "$work/build.log" 2>&1; then
        tail -n 30 "$work/build.log"
        echo "FAIL: the build with options \"$options\" fails"
        exit 1
    fi
    echo "builds on its own: ${options:-no options}"
done
rm -rf "$work/build"
