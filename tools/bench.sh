#!/bin/sh
# Builds and runs the benchmarks: the work of a step without its waits, and
# the pace of 300 real steps in a window under Xvfb.
set -eu
cd "$(dirname "$0")/.."
. tools/packages.sh
tools/setup.sh $build_packages $test_packages
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVORLIX_TESTS=ON -DVORLIX_BENCHMARKS=ON
cmake --build build-bench -j"$(nproc)" --target step_work step_pace
build-bench/benchmarks/step_work
xvfb-run -a -s "-screen 0 1024x768x24" build-bench/benchmarks/step_pace
