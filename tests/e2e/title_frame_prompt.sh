# The real program in a window: title, a key, the frame, a key, the prompt, n.
. "$(dirname "$0")/lib.sh"

start_game
wait_until "the title" title_shown
key a
wait_until "the playfield frame" frame_shown
key b
wait_until "the game-over prompt" prompt_shown
key n
expect_exit_0
echo "window test passed: title, frame, prompt, n"
