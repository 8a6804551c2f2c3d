#!/bin/sh
# The release tarball stands on its own: it unpacks, builds and passes the
# fast tests with nothing else of the repository around it.
#   tests/package/dist_test.sh WORK_DIR
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mkdir -p "$1" && cd "$1" && pwd)
rm -rf "$work"/vorlix-*
tarball=$("$top/tools/dist.sh" "$work")
tar -xzf "$tarball" -C "$work"
src=${tarball%.tar.gz}
cmake -S "$src" -B "$src/build" -DVORLIX_TESTS=ON > "$work/dist-build.log" 2>&1 &&
    cmake --build "$src/build" -j"$(nproc)" >> "$work/dist-build.log" 2>&1 ||
    { tail -n 40 "$work/dist-build.log"; echo "FAIL: the tarball does not build"; exit 1; }
ctest --test-dir "$src/build" --label-regex fast --output-on-failure | tail -n 3
echo "dist test passed: $(basename "$tarball") builds and passes the fast tests"
