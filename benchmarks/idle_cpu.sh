# How much of a core the game takes while it waits for the player: at the
# title, on the field before the first key, and at the game-over prompt,
# for each of its threads (the game's own and the library's background
# threads, which mix the sound and read the window's events), with no
# sound device, and with sound through ALSA to the PulseAudio server named by
# VORLIX_PULSE_SERVER, as on a desktop, when there is one. With a SCALE, the
# game's window shows the field at that scale (--scale).
# Arguments: PROGRAM READ_SCREEN ASSETS [SECONDS [SCALE]] (under an X server).
. "$(dirname "$0")/../tests/e2e/lib.sh" "$1" "$2" "$3"
seconds=${4:-10}
scale=${5:-}
[ -z "$scale" ] || play_at_scale "$scale"

# Time on a core of every thread of the game so far, in ns: "TID NS" lines.
thread_times() {
    for task in /proc/"$game_pid"/task/*; do
        echo "${task##*/} $(cut -d' ' -f1 "$task/schedstat")"
    done
}

# Prints each thread's share of a core over the next few seconds.
measure() {
    before=$(thread_times)
    start=$(date +%s%N)
    sleep "$seconds"
    after=$(thread_times)
    span=$(( $(date +%s%N) - start ))
    echo "$after" | while read -r tid ns; do
        was=$(echo "$before" | awk -v t="$tid" '$1 == t { print $2 }')
        [ "$tid" = "$game_pid" ] && who="game's thread" || who="library's thread"
        awk -v who="$who" -v d="$((ns - ${was:-0}))" -v s="$span" -v at="$1" \
            'BEGIN { printf "  %-16s %-18s %5.2f %% of a core\n", at, who, 100 * d / s }'
    done
}

session() {
    start_game
    wait_until "the title" title_shown
    sleep 1  # past the chime
    measure "title"
    key a
    wait_until "the playfield frame" frame_shown
    sleep 1
    measure "field"
    key b
    wait_until "the game-over prompt" prompt_shown
    sleep 1
    measure "prompt"
    quit_key n
    expect_exit_0
}

export HOME="$work/home"
mkdir -p "$HOME"
if [ -n "${VORLIX_PULSE_SERVER:-}" ]; then
    echo "with sound through ALSA (or wine's own driver) to the PulseAudio server at $VORLIX_PULSE_SERVER, as on a desktop:"
    printf 'pcm.!default { type pulse server "%s" }\nctl.!default { type pulse server "%s" }\n' \
        "$VORLIX_PULSE_SERVER" "$VORLIX_PULSE_SERVER" > "$HOME/.asoundrc"
    PULSE_SERVER=$VORLIX_PULSE_SERVER session
fi
echo "with no sound device:"
printf 'pcm.!default { type hw card 99 }\n' > "$HOME/.asoundrc"  # a card that is not there
session
