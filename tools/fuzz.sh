#!/bin/sh
# Builds the fuzz targets with clang, libFuzzer and the sanitizers, and runs
# each from its committed seeds for the given number of seconds (default 60).
# Exits non-zero on any crash; the crashing input is left in build-fuzz/.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-60}
CXX=clang++ cmake -S . -B build-fuzz -DVORLIX_FUZZERS=ON -DVORLIX_TESTS=OFF \
    -DVORLIX_SANITIZE=address,undefined
cmake --build build-fuzz -j"$(nproc)" --target config_fuzz wav_fuzz
for target in config wav; do
    corpus=build-fuzz/corpus-$target
    mkdir -p "$corpus"
    log=build-fuzz/$target.log
    status=0
    (cd build-fuzz && "./fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
        "../$corpus" "../fuzz/corpus/$target") > "$log" 2>&1 || status=$?
    grep -E "^Done|^stat::number_of_executed_units|ERROR|SUMMARY" "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log"
        echo "fuzz target $target failed with status $status"
        exit 1
    fi
    echo "fuzz target $target: no crash in $seconds s"
done
