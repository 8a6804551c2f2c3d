#!/bin/sh
# Builds the browser version into build-web/site/: the page, its script, its
# WebAssembly and its data.
set -eu
cd "$(dirname "$0")/.."
# Emscripten's tools run under node and need Debian's node modules, which a
# node installed from elsewhere does not look in.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release
cmake --build build-web -j"$(nproc)"
