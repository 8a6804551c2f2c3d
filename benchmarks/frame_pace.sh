# The pace of the real program as its window shows it: the snake's first
# 300 steps, timed from the frames (frame_pace), in a few games. The game
# starts at the field's centre heading right; a game whose candy lies on
# that row is played out and another is begun. With a SCALE, the game's
# window shows the field at that scale (--scale), and is read so.
# Arguments: PROGRAM READ_SCREEN ASSETS FRAME_PACE [GAMES [SCALE]] (under an X
# server; the Windows program under tests/windows/in_wine.sh).
. "$(dirname "$0")/../tests/e2e/lib.sh" "$1" "$2" "$3"
frame_pace=$4
games=${5:-3}
scale=${6:-}
row=240 from=321 to=620
[ -z "$scale" ] || play_at_scale "$scale"

start_game
timed=0
for attempt in $(seq $((games * 3))); do
    wait_until "the title" title_shown
    key a
    wait_until "the playfield frame" frame_shown
    "$frame_pace" "$window" "$row" "$from" "$to" "${scale:-1}" > "$work/pace" &
    watcher=$!
    for _ in $(seq 100); do
        grep -q . "$work/pace" && break
        sleep 0.05
    done
    key b
    wait "$watcher" && { grep -v "^ready" "$work/pace" | sed "s/^/  /"; timed=$((timed + 1)); }
    wait_until "the game-over prompt" prompt_shown
    [ "$timed" -ge "$games" ] && break
    key y
done
quit_key n
expect_exit_0
