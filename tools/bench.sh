#!/bin/sh
# Builds and runs the benchmarks: the work of a step without its waits, the
# pace of 300 real steps in a window under Xvfb (timed inside the game and
# from the window's frames, also with the field at scale 4 on a 4K screen),
# how soon a step's pixels reach the window at each scale, the share of a
# core the game takes while it waits for a key (also at scales 1 and 4 on a
# 4K screen), the cues as the player hears them (length, latency,
# underruns) on the desktop, for the Windows program under wine and in each
# engine, and the browser version in headless Chromium, Firefox ESR and
# WebKitGTK (its size, start on a first and a returning visit, also as a
# bare browser with no driver attached, idle load and pace, also with late
# timers).
set -eu
cd "$(dirname "$0")/.."
. tools/packages.sh
tools/setup.sh $build_packages $window_test_packages $web_test_packages $windows_test_packages libasound2-plugins
tools/node-modules.sh
export VORLIX_NODE_MODULES=$PWD/build-node/node_modules
export NODE=$VORLIX_NODE_MODULES/node/bin/node
node=$NODE
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVORLIX_TESTS=ON -DVORLIX_BENCHMARKS=ON
cmake --build build-bench -j"$(nproc)" --target vorlix step_work step_pace show_step frame_pace read_screen hear \
    asound_module_pcm_vorlix_heard vorlix_play_log
build-bench/benchmarks/step_work
xvfb-run -a -s "-screen 0 1024x768x24" build-bench/benchmarks/step_pace
t=$PWD/build-bench/tests
echo "the pace from the window's frames:"
xvfb-run -a -s "-screen 0 1024x768x24" bash benchmarks/frame_pace.sh "$PWD/build-bench/vorlix" "$t/read_screen" \
    "$PWD/assets" "$PWD/build-bench/benchmarks/frame_pace" 3
# The field at scale 4 on a 4K screen: how soon a step reaches the window at
# each scale, the pace from the window's frames, and the share of a core at
# scale 1 and at scale 4 on the same screen.
on_4k() { xvfb-run -a -s "-screen 0 3840x2160x24" "$@"; }
echo "a step's pixels reach the window, at scales 1 to 4 (and a wait with nothing to show):"
on_4k build-bench/benchmarks/show_step
echo "the pace from the window's frames, the field at scale 4:"
on_4k bash benchmarks/frame_pace.sh "$PWD/build-bench/vorlix" "$t/read_screen" "$PWD/assets" \
    "$PWD/build-bench/benchmarks/frame_pace" 3 4
for scale in 1 4; do
    echo "waiting for a key on a 4K screen, the field at scale $scale, share of a core (no sound device):"
    on_4k bash benchmarks/idle_cpu.sh "$PWD/build-bench/vorlix" "$t/read_screen" "$PWD/assets" 10 "$scale" |
        grep -v "^with no sound"
done
# The Windows program, and its test build that notes its plays, under wine.
tools/build-windows.sh build-windows-bench -DVORLIX_TESTS=ON > build-bench/windows.log
export VORLIX_WINEPREFIX=$PWD/build-bench/wine/prefix
in_wine() { xvfb-run -a -s "-screen 0 1024x768x24" bash tests/windows/in_wine.sh bash "$@"; }
echo "the Windows program under wine, the pace from its window's frames:"
in_wine benchmarks/frame_pace.sh "$PWD/build-windows-bench/vorlix.exe" "$t/read_screen" "$PWD/assets" \
    "$PWD/build-bench/benchmarks/frame_pace" 3
# What the player hears of six games, with the machine idle, then with both
# of its cores kept busy by other work.
hear_games() {
    xvfb-run -a -s "-screen 0 1024x768x24" bash tests/sound/heard_game.sh "$PWD/build-bench/vorlix" \
        "$t/read_screen" "$PWD/assets" "$t/libasound_module_pcm_vorlix_heard.so" "$t/libvorlix_play_log.so" \
        "$t/hear" 6 | grep -v "^cue\|^title \|^candy \|^laser \|^crash "
}
# The same six games of the Linux program and of the Windows program under
# wine, each through a sound server of the test's own, whose sink plays at
# the real rate: from each shot's key to the ear in each game, and the
# output each played through (for Windows, the buffer and period granted).
hear_pulse_games() {
    xvfb-run -a -s "-screen 0 1024x768x24" bash tests/sound/heard_game.sh "$PWD/build-bench/vorlix" \
        "$t/read_screen" "$PWD/assets" pulse "$t/libvorlix_play_log.so" "$t/hear" 6 |
        grep -v "^cue\|^title \|^candy \|^laser \|^crash "
}
hear_windows_games() {
    in_wine tests/sound/heard_game.sh "$PWD/build-windows-bench/game/heard/vorlix.exe" \
        "$t/read_screen" "$PWD/assets" pulse - "$t/hear" 6 | grep -v "^cue\|^title \|^candy \|^laser \|^crash "
}
# Runs the command with both of the machine's cores kept busy by other work,
# and stops that work however the command ends: left running, it would skew
# every later figure.
while_busy() {
    yes > /dev/null & busy1=$!
    yes > /dev/null & busy2=$!
    status=0
    "$@" || status=$?
    kill $busy1 $busy2
    return $status
}
# A sound server of the benchmark's own, as a desktop has, for the idle
# game and for the browsers.
"$node" -e "require('./tests/browser/hearing').Pulse.start().then((p) => { console.log(p.server); setInterval(() => {}, 1e9); })" \
    > build-bench/pulse-server & pulse=$!
until [ -s build-bench/pulse-server ]; do sleep 0.2; done
echo "waiting for a key, share of a core:"
export VORLIX_PULSE_SERVER="$(cat build-bench/pulse-server)"
xvfb-run -a -s "-screen 0 1024x768x24" \
    bash benchmarks/idle_cpu.sh "$PWD/build-bench/vorlix" "$PWD/build-bench/tests/read_screen" "$PWD/assets"
echo "the Windows program under wine, waiting for a key, share of a core:"
in_wine benchmarks/idle_cpu.sh "$PWD/build-windows-bench/vorlix.exe" "$PWD/build-bench/tests/read_screen" "$PWD/assets"
unset VORLIX_PULSE_SERVER
kill $pulse
echo "sound, machine idle:"
hear_games
echo "sound, both cores busy:"
while_busy hear_games
echo "the Linux program's sound through a sound server, machine idle:"
hear_pulse_games
echo "the Linux program's sound through a sound server, both cores busy:"
while_busy hear_pulse_games
echo "the Windows program's sound under wine, machine idle:"
hear_windows_games
echo "the Windows program's sound under wine, both cores busy:"
while_busy hear_windows_games
tools/build-web.sh
# The page's cues as heard in each engine, idle and with both cores busy.
hear_pages() {
    xvfb-run -a -s "-screen 0 1920x1200x24" "$node" tests/browser/heard_test.js build-web/site \
        build-bench/tests/read_screen build-bench/tests/hear 6 | grep -E "^# [a-z]+: ([a-z]+: [0-9]|latency|FAIL)" || true
}
echo "the page's sound, machine idle:"
hear_pages
echo "the page's sound, both cores busy:"
while_busy hear_pages
xvfb-run -a -s "-screen 0 1920x1200x24" "$node" benchmarks/page_bench.js build-web/site build-bench/tests/read_screen
echo "the page ready on a first and on returning visits, no driver attached:"
xvfb-run -a -s "-screen 0 1920x1200x24" "$node" benchmarks/page_start.js build-web/site 7
