#!/bin/sh
# Builds and runs the benchmarks: the work of a step without its waits, the
# pace of 300 real steps in a window under Xvfb, the cues as the player hears
# them (length, latency, underruns), and the browser version in
# headless Chromium, Firefox ESR and WebKitGTK (its size, start, idle load and
# pace, also with late timers).
set -eu
cd "$(dirname "$0")/.."
. tools/packages.sh
tools/setup.sh $build_packages $window_test_packages $web_test_packages
tools/node-modules.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVORLIX_TESTS=ON -DVORLIX_BENCHMARKS=ON
cmake --build build-bench -j"$(nproc)" --target vorlix step_work step_pace read_screen hear \
    asound_module_pcm_vorlix_heard vorlix_play_log
build-bench/benchmarks/step_work
xvfb-run -a -s "-screen 0 1024x768x24" build-bench/benchmarks/step_pace
# What the player hears of six games, with the machine idle, then with both
# of its cores kept busy by other work.
hear_games() {
    t=$PWD/build-bench/tests
    xvfb-run -a -s "-screen 0 1024x768x24" bash tests/sound/heard_game.sh "$PWD/build-bench/vorlix" \
        "$t/read_screen" "$PWD/assets" "$t/libasound_module_pcm_vorlix_heard.so" "$t/libvorlix_play_log.so" \
        "$t/hear" 6 | grep -v "^cue\|^title \|^candy \|^laser \|^crash "
}
echo "sound, machine idle:"
hear_games
echo "sound, both cores busy:"
yes > /dev/null & busy1=$!
yes > /dev/null & busy2=$!
hear_games
kill $busy1 $busy2
tools/build-web.sh
VORLIX_NODE_MODULES=$PWD/build-node/node_modules xvfb-run -a -s "-screen 0 1920x1200x24" \
    node benchmarks/page_bench.js build-web/site build-bench/tests/read_screen
