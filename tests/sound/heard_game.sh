# Plays whole games of the real program where a player hears them, and
# writes down what was heard and when: on Linux, a sound device of the
# tests' own that plays at the real rate (heard_pcm.c), with each sample's
# start noted as the game asks for it (play_log.c); with DEVICE_LIBRARY
# "pulse", a sound server of the tests' own whose sink plays at the real rate
# and is recorded (tests/browser/hearing.js, run by the node in NODE), which
# the Linux program reaches through ALSA's PulseAudio plugin (its plays noted
# by play_log.c as before), and the Windows program under wine through
# wine's own (PLAY_LOG_LIBRARY "-": its test build notes its plays).
# Then tells each cue's heard length, its latency and its level at both
# ends, the underruns, and from each shot's key to the ear (hear), and which
# output the game played through, as the library describes it.
# Arguments: PROGRAM READ_SCREEN ASSETS DEVICE_LIBRARY PLAY_LOG_LIBRARY HEAR [GAMES [--check]]
# (run under an X server).
. "$(dirname "$0")/../e2e/lib.sh" "$1" "$2" "$3"
device=$4
play_log=$5
hear=$6
games=${7:-1}
check=${8:-}

export VORLIX_PLAY_LOG="$work/plays"
if [ "$device" = pulse ]; then
    "${NODE:-node}" "$(dirname "$0")/../browser/hearing.js" "$work/heard" > "$work/server" &
    recorder=$!
    trap 'kill $game_pid $recorder 2>/dev/null; rm -rf "$work"' EXIT
    for _ in $(seq 300); do
        [ -s "$work/server" ] && break
        kill -0 "$recorder" 2>/dev/null || fail "the sound server did not start"
        sleep 0.1
    done
    export PULSE_SERVER=$(cat "$work/server")
    if [ "$play_log" != - ]; then
        export HOME="$work/home"
        mkdir -p "$HOME"
        printf 'pcm.!default { type pulse }\nctl.!default { type pulse }\n' > "$HOME/.asoundrc"
        launcher="env LD_PRELOAD=$play_log"
    fi
    # The sink settles into the short blocks of a sound card within a second
    # of playing; a program that starts before it does is held back for good.
    for _ in $(seq 300); do
        [ "$(stat -c %s "$work/heard.frames" 2>/dev/null || echo 0)" -ge $((44100 * 4)) ] && break
        sleep 0.1
    done
    # Wine's performance counter runs on the raw monotonic clock; the
    # recording is stamped on the monotonic clock.
    export VORLIX_CLOCK_OFFSET_NS=$(python3 -c 'import time
print(time.clock_gettime_ns(time.CLOCK_MONOTONIC) - time.clock_gettime_ns(time.CLOCK_MONOTONIC_RAW))')
else
    # The test's own home tells ALSA to play through the test device.
    export HOME="$work/home"
    mkdir -p "$HOME"
    cat > "$HOME/.asoundrc" <<CONF
pcm_type.vorlix_heard { lib "$device" }
pcm.!default { type vorlix_heard log "$work/heard" }
CONF
    launcher="env LD_PRELOAD=$play_log"
fi

# The player lets each cue end before the next key: a key typed during a cue
# starts the next cue straight after it, and two sounds with no pause
# between them cannot be told apart in what is heard.
let_the_cue_end() { sleep 0.6; }
# Each shot's key is noted on the monotonic clock, which the recording is
# stamped on, as it is typed: "key GAME AT_NS".
realtime_ahead_ns=$(python3 -c 'import time
print(time.time_ns() - time.clock_gettime_ns(time.CLOCK_MONOTONIC))')
shoot() {
    local now=${EPOCHREALTIME/./}
    echo "key $1 $((now * 1000 - realtime_ahead_ns))" >> "$work/keys"
    key space
}

start_game
for game in $(seq "$games"); do
    wait_until "the title" title_shown
    let_the_cue_end
    key a
    wait_until "the playfield frame" frame_shown
    let_the_cue_end
    # Off to the right, firing six shots at once, then five more, each once
    # the last is heard, then on to the border.
    key b space space space space space space
    for _ in 1 2 3 4 5; do
        sleep 0.3
        shoot "$game"
    done
    wait_until "the game-over prompt" prompt_shown
    let_the_cue_end
    if [ "$game" -lt "$games" ]; then key y; fi
done
quit_key n
expect_exit_0
if [ "$device" = pulse ]; then
    kill -TERM "$recorder"
    wait "$recorder"
fi
sed -n 's/^output /the game played through: /p' "$work/plays"
"$hear" "$work/heard" "$work/plays" $check --keys "$work/keys" || fail "the cues were not heard as they are meant to be"
