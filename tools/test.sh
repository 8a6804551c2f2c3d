#!/bin/sh
# Sets up, builds and runs every test: the fast tests on a real bitmap, the
# start-up checks of the real program and the window tests under Xvfb.
set -eu
cd "$(dirname "$0")/.."
. tools/packages.sh
tools/setup.sh $build_packages $test_packages
cmake -S . -B build-test -DVORLIX_TESTS=ON -DVORLIX_BENCHMARKS=ON
cmake --build build-test -j"$(nproc)"
ctest --test-dir build-test --output-on-failure
