#!/bin/sh
# Sets up, builds and runs the tests, in stages that can also be run alone:
#   fast     the fast tests on a real bitmap and the start-up checks of the
#            real program, in a plain build and a sanitizer build
#   window   the real program under Xvfb (with a memcheck run), in both builds
#   windows  the Windows program, built here, played under wine in Xvfb, and
#            its zip and installer
#   web      the browser version played in headless Chromium, Firefox ESR
#            and WebKitGTK
#   package  the Debian package (lintian, autopkgtest) and the release tarball
#   fuzz     each fuzz target for a minute (FUZZ_SECONDS)
# With no stage named, all of them run, in that order.
#   tools/test.sh [STAGE...]
set -eu
cd "$(dirname "$0")/.."
. tools/packages.sh
all_stages="fast window windows web package fuzz"
stages=${*:-$all_stages}
for stage in $stages; do
    case " $all_stages " in
    *" $stage "*) ;;
    *) echo "tools/test.sh: no stage \"$stage\"; the stages are: $all_stages" >&2
       exit 2 ;;
    esac
done
jobs=$(nproc)

# The plain and the sanitizer build, with every test of the stage's label.
run_builds() {
    label=$1
    cmake -S . -B build-test -DVORLIX_TESTS=ON -DVORLIX_BENCHMARKS=ON
    cmake --build build-test -j"$jobs"
    ctest --test-dir build-test --output-on-failure -L "^$label\$"
    cmake -S . -B build-sanitize -DVORLIX_TESTS=ON -DVORLIX_SANITIZE=address,undefined
    cmake --build build-sanitize -j"$jobs"
    ctest --test-dir build-sanitize --output-on-failure -L "^$label\$"
}

for stage in $stages; do
    echo "== test stage: $stage"
    # Each stage installs only what it needs.
    eval "tools/setup.sh \$build_packages \$${stage}_test_packages"
    case $stage in
    fast) run_builds fast ;;
    window) run_builds window ;;
    windows)
        tools/build-windows.sh build-windows -DVORLIX_TESTS=ON
        cmake -S . -B build-test -DVORLIX_TESTS=ON -DVORLIX_WINDOWS_BUILD="$PWD/build-windows"
        cmake --build build-test -j"$jobs" --target read_screen draw_screens hear
        ctest --test-dir build-test --output-on-failure -L "^windows$" ;;
    web)
        tools/node-modules.sh
        tools/build-web.sh
        archive=$(tools/dist-web.sh build-web)
        cmake -S . -B build-test -DVORLIX_TESTS=ON -DVORLIX_WEB_SITE="$PWD/build-web/site" \
            -DVORLIX_WEB_ARCHIVE="$archive"
        cmake --build build-test -j"$jobs" --target read_screen draw_screens
        ctest --test-dir build-test --output-on-failure -L "^web$" ;;
    package)
        tests/package/options_test.sh build-options
        tests/package/package_test.sh build-package
        tests/package/chroot_test.sh build-chroot
        tests/package/dist_test.sh build-dist ;;
    fuzz) tools/fuzz.sh "${FUZZ_SECONDS:-60}" ;;
    esac
done
