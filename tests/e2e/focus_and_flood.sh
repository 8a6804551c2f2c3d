# The window loses the focus in mid-game, then takes a flood of keys: the game
# goes on, stays responsive and its memory stays bounded.
. "$(dirname "$0")/lib.sh"

rss_kb() { awk '/^VmRSS/ { print $2 }' "/proc/$game_pid/status"; }

start_game
wait_until "the title" title_shown
key a
wait_until "the playfield frame" frame_shown
key b
# Another window takes the focus while the snake runs on by itself.
xlogo -geometry 100x100+700+500 &
other=$!
for _ in $(seq 100); do
    w=$(xdotool search --onlyvisible --pid "$other" 2>/dev/null | head -n 1)
    [ -n "$w" ] && xdotool windowfocus --sync "$w" 2>/dev/null && break
    sleep 0.1
done
wait_until "the game-over prompt with the focus elsewhere" prompt_shown
kill "$other"
xdotool windowfocus --sync "$window" || fail "could not focus the game again"

# A second game, flooded with keys while it plays.
key y
wait_until "the second title" title_shown
key a
wait_until "the second frame" frame_shown
before=$(rss_kb)
key b
keys=$(head -c 3000 /dev/zero | tr '\0' 'x')
xdotool type --window "$window" --delay 0 "$keys"
wait_until "the prompt after the flood" prompt_shown
after=$(rss_kb)
echo "resident memory: ${before} kB before the flood, ${after} kB after"
[ $((after - before)) -lt 8192 ] || fail "memory grew by $((after - before)) kB"
quit_key n
expect_exit_0
echo "window test passed: focus lost and regained, a flood of keys"
