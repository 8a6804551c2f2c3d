# The real program in a window: title, a key, the frame, a key, the prompt, n.
. "$(dirname "$0")/lib.sh"

play_short_session
echo "window test passed: title, frame, prompt, n"
