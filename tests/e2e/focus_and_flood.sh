# The window loses the keyboard in mid-game: the game holds still, and what
# is typed into the other window never reaches it; it goes on once it has the
# keyboard back, and the panel counts every step the snake took: it died on
# the row it started on (no turn came from elsewhere), one pixel past its
# last step. Then a flood of keys (VORLIX_FLOOD_KEYS of them, 3000 unless
# said): the game stays responsive and its memory stays bounded.
. "$(dirname "$0")/lib.sh"

rss_kb() { awk '/^VmRSS/ { print $2 }' "/proc/$game_pid/status"; }

start_game
wait_until "the title" title_shown
key a
wait_until "the playfield frame" frame_shown
key b
# Another window takes the keyboard while the snake runs.
xlogo -geometry 100x100+700+500 &
other=$!
for _ in $(seq 100); do
    w=$(xdotool search --onlyvisible --class xlogo 2>/dev/null | head -n 1)
    [ -n "$w" ] && xdotool windowfocus --sync "$w" 2>/dev/null && break
    sleep 0.1
done
[ "$(xdotool getwindowfocus)" = "$w" ] || fail "the other window did not take the keyboard"
# Held: two shots in a row alike, and the same for another second, while a
# turn is typed into the other window.
held_still() { cp "$work/shot.xwd" "$work/held.xwd"; sleep 0.2; shot && same_as "$work/held.xwd"; }
wait_until "the game to hold still" held_still
xdotool type --window "$w" --delay 50 "sss"
for _ in $(seq 10); do
    sleep 0.1
    shot && same_as "$work/held.xwd" || fail "the game moved while its window had not the keyboard"
done
prompt_shown && fail "the game ended while held"
kill "$other"
xdotool windowfocus --sync "$window" || fail "could not give the game the keyboard again"
wait_until "the game-over prompt once the game has the keyboard again" prompt_shown
distance=$("$reader" "$work/shot.xwd" panel 0 | awk 'NR == 1 { print $2 }')
"$reader" "$work/shot.xwd" straight "$distance" ||
    fail "the panel's distance, $distance, is not where the snake's head stopped on its row"
echo "held still while away, and the panel counts every step: $distance"

# A second game, flooded with keys while it plays.
key y
wait_until "the second title" title_shown
key a
wait_until "the second frame" frame_shown
before=$(rss_kb)
key b
keys=$(head -c "${VORLIX_FLOOD_KEYS:-3000}" /dev/zero | tr '\0' 'x')
xdotool type --window "$window" --delay 0 "$keys"
wait_until "the prompt after the flood" prompt_shown
after=$(rss_kb)
echo "resident memory: ${before} kB before the flood, ${after} kB after"
[ $((after - before)) -lt 8192 ] || fail "memory grew by $((after - before)) kB"
quit_key n
expect_exit_0
echo "window test passed: held while away and went on, a flood of keys"
