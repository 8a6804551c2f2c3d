#!/bin/sh
# Sets up, builds and runs every test: the fast tests on a real bitmap, the
# start-up checks of the real program, the window tests under Xvfb and the
# browser version played in headless Chromium, first in a plain build (with
# a memcheck run), then in an AddressSanitizer and UndefinedBehaviorSanitizer
# build; then the Debian package (lintian and its autopkgtest) and the release
# tarball; last, each fuzz target for a minute.
set -eu
cd "$(dirname "$0")/.."
. tools/packages.sh
tools/setup.sh $build_packages $web_packages $test_packages
jobs=$(nproc)

tools/build-web.sh

cmake -S . -B build-test -DVORLIX_TESTS=ON -DVORLIX_BENCHMARKS=ON -DVORLIX_WEB_SITE="$PWD/build-web/site"
cmake --build build-test -j"$jobs"
ctest --test-dir build-test --output-on-failure

cmake -S . -B build-sanitize -DVORLIX_TESTS=ON -DVORLIX_SANITIZE=address,undefined
cmake --build build-sanitize -j"$jobs"
ctest --test-dir build-sanitize --output-on-failure

tests/package/package_test.sh build-package
tests/package/dist_test.sh build-dist

tools/fuzz.sh "${FUZZ_SECONDS:-60}"
