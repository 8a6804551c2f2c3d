#!/bin/sh
# Takes the README's pictures from the real program in a real (virtual) X
# window: the title, a game in progress and the game-over panel.
set -eu
cd "$(dirname "$0")/.."
. tools/packages.sh
tools/setup.sh $build_packages $window_test_packages imagemagick
cmake -S . -B build-test -DVORLIX_TESTS=ON
cmake --build build-test -j"$(nproc)" --target vorlix read_screen
mkdir -p docs/screenshots
xvfb-run -a -s "-screen 0 1024x768x24" bash tools/take_screenshots.sh \
    "$PWD/build-test/vorlix" "$PWD/build-test/tests/read_screen" "$PWD/assets" "$PWD/docs/screenshots"
