# A whole game played in the real window: steer with s and l, fire, die, read
# the panel back, answer y for a new game, then n.
. "$(dirname "$0")/lib.sh"

start_game
played=0
for attempt in 1 2 3 4 5; do
    wait_until "the title" title_shown
    key a
    wait_until "the playfield frame" frame_shown
    if shows route; then
        # Start, two steps right, turn up, fire upwards on the way, turn right again.
        key b
        key x x s space l
        played=1
    else
        key b  # a block or candy lies on the route: let this game end, try again
    fi
    wait_until "the game-over panel" prompt_shown
    [ "$played" = 1 ] && break
    key y
done
[ "$played" = 1 ] || fail "never found a clear route"

# The panel agrees with the status bar and the one shot fired.
panel=$("$reader" "$work/shot.xwd" panel 1) || fail "the game-over panel: $panel"
read -r candies distance skill _ <<< "$panel"
[ "$distance" -ge 4 ] || fail "the snake died too early: distance $distance"
echo "game over: candies $candies, distance $distance, running skill $skill"

key y
wait_until "the second title" title_shown
key a
wait_until "the second frame" frame_shown
key b
quit_key n  # n during play is kept and answers the prompt at once
expect_exit_0
echo "window test passed: a whole game, y, a second game, n"
