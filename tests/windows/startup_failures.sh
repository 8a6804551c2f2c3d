# A Windows program has no console: a configuration the game cannot use is
# printed to standard output as on Linux and also shown in a message box,
# and the game ends with status 0 once the player has read it.
# Arguments: PROGRAM READ_SCREEN ASSETS (under in_wine.sh)
. "$(dirname "$0")/../e2e/lib.sh"

# Starts the game on the configuration given (or none), waits for its
# message box, reads standard output and answers the box.
expect_message() {  # CONFIG MESSAGE
    rm -f "$work/vorlix.cfg"
    [ "$1" = missing ] || printf '%s\n' "$1" > "$work/vorlix.cfg"
    launch_game
    local box=
    for _ in $(seq 600); do
        box=$(xdotool search --onlyvisible --name '^Vorlix$' 2>/dev/null | head -n 1)
        [ -n "$box" ] && break
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended with no message box for \"$1\""
        sleep 0.1
    done
    [ -n "$box" ] || fail "no message box for \"$1\""
    said=$(tr -d '\r' < "$work/stdout")
    [ "$said" = "$2" ] || fail "for \"$1\" the game printed: $said"
    xdotool windowfocus --sync "$box" key Return
    wait_for_end "the game did not end once its message was read"
    wait "$game_pid" || fail "exit status $? after \"$1\""
    echo "\"$1\": printed and shown \"$2\", exit status 0"
}

expect_message missing "File vorlix.cfg not found."
expect_message "2 0" "wintype must be 0 or 1."
expect_message "0 5" "bgcol must be 0 or 1."
echo "windows test passed: each start-up failure printed, shown in a box, and ended well"
