# Plays whole games of the real program on a sound device of the tests' own
# that plays at the real rate and writes down what it hears and when
# (heard_pcm.c), with each sample's start noted as the game asks for it
# (play_log.c); then tells each cue's heard length, its latency and its level
# at both ends, and the underruns (hear).
# Arguments: PROGRAM READ_SCREEN ASSETS DEVICE_LIBRARY PLAY_LOG_LIBRARY HEAR [GAMES [--check]]
# (run under an X server).
. "$(dirname "$0")/../e2e/lib.sh" "$1" "$2" "$3"
device=$4
play_log=$5
hear=$6
games=${7:-1}
check=${8:-}

# The test's own home tells ALSA to play through the test device.
export HOME="$work/home"
mkdir -p "$HOME"
cat > "$HOME/.asoundrc" <<CONF
pcm_type.vorlix_heard { lib "$device" }
pcm.!default { type vorlix_heard log "$work/heard" }
CONF
export VORLIX_PLAY_LOG="$work/plays"
launcher="env LD_PRELOAD=$play_log"

# The player lets each cue end before the next key: a key typed during a cue
# starts the next cue straight after it, and two sounds with no pause
# between them cannot be told apart in what is heard.
let_the_cue_end() { sleep 0.6; }

start_game
for game in $(seq "$games"); do
    wait_until "the title" title_shown
    let_the_cue_end
    key a
    wait_until "the playfield frame" frame_shown
    let_the_cue_end
    # Off to the right, firing six shots at once, then on to the border.
    key b space space space space space space
    wait_until "the game-over prompt" prompt_shown
    let_the_cue_end
    if [ "$game" -lt "$games" ]; then key y; fi
done
quit_key n
expect_exit_0
"$hear" "$work/heard" "$work/plays" $check || fail "the cues were not heard as they are meant to be"
