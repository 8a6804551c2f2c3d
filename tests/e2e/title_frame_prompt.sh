# The real program in a window: title, a key, the frame, a key, the prompt, n;
# with draw_screens given, each screen pixel for pixel as the library draws it.
# Arguments: PROGRAM READ_SCREEN ASSETS [DRAW_SCREENS]
. "$(dirname "$0")/lib.sh"

if [ -n "${4:-}" ]; then
    play_short_session_as_drawn "$4"
    echo "window test passed: title, frame, prompt, n, each screen as the library draws it"
else
    play_short_session
    echo "window test passed: title, frame, prompt, n"
fi
