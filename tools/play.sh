#!/bin/sh
# Sets up, builds and starts the game in its build directory, which holds the
# configuration file and the four sounds beside the program.
set -eu
cd "$(dirname "$0")/.."
. tools/packages.sh
tools/setup.sh $build_packages
cmake -S . -B build -DVORLIX_TESTS=OFF
cmake --build build -j"$(nproc)"
cd build
exec ./vorlix
