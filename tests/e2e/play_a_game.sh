# A whole game played in the real window: steer with s and l, fire, die, read
# the panel back, answer y for a new game, then n.
. "$(dirname "$0")/lib.sh"

# Counter values as printed in the status bar and the panel.
number_at() { text_at "$1" "$2" "$3" | tr -d ' '; }

# True when nothing lies on the first steps of the scripted route.
route_clear() {
    for x in 321 322; do pixel_is "$x" 240 000000 || return 1; done
    pixel_is 322 239 000000 || return 1
    for x in 322 323 324 325; do pixel_is "$x" 238 000000 || return 1; done
}

start_game
played=0
for attempt in 1 2 3 4 5; do
    wait_until "the title" title_shown
    key a
    wait_until "the playfield frame" frame_shown
    if route_clear; then
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

candies=$(number_at 356 190 6)
distance=$(number_at 356 210 6)
skill=$(number_at 356 230 6)
[ "$(number_at 76 6 8)" = "$candies" ] || fail "panel candies $candies differ from the status bar"
[ "$(number_at 300 6 8)" = 1 ] || fail "one shot should show in the status bar"
[ "$(number_at 500 6 8)" = "$distance" ] || fail "panel distance $distance differs from the status bar"
[ "$distance" -ge 4 ] || fail "the snake died too early: distance $distance"
expected=$(awk -v n="$candies" -v d="$distance" 'BEGIN { printf "%.2f", (d == 0) ? 0 : 15 * n * n * n / (d * 1) }')
[ "$skill" = "$expected" ] || fail "running skill $skill, expected $expected"
echo "game over: candies $candies, distance $distance, running skill $skill"

key y
wait_until "the second title" title_shown
key a
wait_until "the second frame" frame_shown
key b
quit_key n  # n during play is kept and answers the prompt at once
expect_exit_0
echo "window test passed: a whole game, y, a second game, n"
