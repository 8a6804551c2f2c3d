# wintype 0 tries the 640 x 480 full-screen mode first: in wine's own virtual
# desktop, which can change its mode as a screen does, the desktop becomes
# 640 x 480 and shows the game, which plays and ends as in a window.
# Arguments: PROGRAM READ_SCREEN ASSETS (under in_wine.sh)
. "$(dirname "$0")/../e2e/lib.sh"

printf '0 0\n' > "$work/vorlix.cfg"
launcher="wine explorer /desktop=vorlix-screen,1024x768"
start_game
wait_until "the title" title_shown
desktop=$(xdotool search --name '^vorlix-screen - Wine desktop$' | head -n 1)
size=$(xwininfo -id "$desktop" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
[ "$size" = 640x480 ] || fail "the screen is $size, not the 640 x 480 full-screen mode"
play_shortest_game
expect_exit_0
echo "windows test passed: full screen at 640 x 480, title, frame, prompt, n"
