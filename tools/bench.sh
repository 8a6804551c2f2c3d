#!/bin/sh
# Builds and runs the benchmarks: the work of a step without its waits, the
# pace of 300 real steps in a window under Xvfb, and the browser version in
# headless Chromium, Firefox ESR and WebKitGTK (its size, start, idle load and
# pace, also with late timers).
set -eu
cd "$(dirname "$0")/.."
. tools/packages.sh
tools/setup.sh $build_packages $web_packages $test_packages $browser_test_packages
tools/node-modules.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVORLIX_TESTS=ON -DVORLIX_BENCHMARKS=ON
cmake --build build-bench -j"$(nproc)" --target step_work step_pace read_screen
build-bench/benchmarks/step_work
xvfb-run -a -s "-screen 0 1024x768x24" build-bench/benchmarks/step_pace
tools/build-web.sh
VORLIX_NODE_MODULES=$PWD/build-node/node_modules xvfb-run -a -s "-screen 0 1920x1200x24" \
    node benchmarks/page_bench.js build-web/site build-bench/tests/read_screen
