# Helpers for the window tests: run the real game in a scratch directory under
# the X server of the caller, type real keys into it and read screenshots back.
# Every wait polls for what it expects, with a generous time-out.
set -u

program=$1
reader=$2
assets=$3
work=$(mktemp -d /tmp/vorlix-window-XXXXXX)
trap 'kill $game_pid 2>/dev/null; rm -rf "$work"' EXIT
# With "-" for the assets, the program is left to find its own files.
if [ "$assets" != "-" ]; then
    cp "$assets"/*.wav "$work"/
    printf '1 0\n' > "$work/vorlix.cfg"
fi
game_pid=
window=
# What the program is run through (wine, for the Windows program), the
# directory it starts in, and its arguments.
launcher=${VORLIX_LAUNCHER:-}
game_dir=$work
game_args=
version=$("$(dirname "${BASH_SOURCE[0]}")/../../tools/version.sh")

# A failure leaves its last screenshot where the test run keeps its artifacts.
fail() {
    echo "FAIL: $*"
    cp "$work/shot.xwd" "${AUTOPKGTEST_ARTIFACTS:-/tmp}/vorlix-last-failure.xwd" 2>/dev/null
    exit 1
}

# Starts the game and waits up to 120 s for its window (memcheck is slow to
# start), then gives it the keyboard focus.
start_game() {
    launch_game
    take_window
}
# Starts the game in the background, its output kept, as game_pid.
launch_game() {
    # shellcheck disable=SC2086 # the arguments are words
    (cd "$game_dir" && exec $launcher "$program" $game_args > "$work/stdout" 2> "$work/stderr") &
    game_pid=$!
}

# Waits up to 120 s for the window of the game's process, game_pid, and
# gives it the keyboard focus.
take_window() {
    for _ in $(seq 1200); do
        kill -0 "$game_pid" 2>/dev/null ||
            fail "the game ended before its window appeared: $(cat "$work/stdout" "$work/stderr" | grep -v '^ALSA')"
        window=$(xdotool search --onlyvisible --name '^vorlix$' 2>/dev/null | head -n 1)
        [ -n "$window" ] && xdotool windowfocus --sync "$window" 2>/dev/null && return 0
        sleep 0.1
    done
    fail "no game window appeared and took the focus"
}

shot() { xwd -id "$window" -silent > "$work/shot.xwd" 2>/dev/null; }
text_at() { "$reader" "$work/shot.xwd" text "$1" "$2" "$3"; }
pixel_at() { "$reader" "$work/shot.xwd" pixel "$1" "$2"; }
key() { xdotool key --window "$window" "$@"; }
# The key that ends the game goes to the focused window through the X server:
# sent to the window itself, its release would name a window that has closed.
quit_key() { xdotool key "$@"; }

# Polls fresh screenshots until the command succeeds on one, for up to 120 s.
wait_until() {
    local what=$1; shift
    for _ in $(seq 1200); do
        shot && "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "timed out waiting for $what"
}

# A shot of a whole display at any scale: take_display (the caller's) writes
# it to $work/display.xwd, and the field found in it is left at 640 x 480 as
# the shot the other helpers read, its scale and corner in $work/field. A
# block of mixed colours, anything around the field but black (with
# around=black), or a check_display (the caller's, if any) that fails, fails
# the test where it is seen five times in a row, a fifth of a second apart:
# once, the display may be caught as it changes.
around=
scaled_shot() {
    for try in 1 2 3 4 5; do
        [ "$try" = 1 ] || sleep 0.2
        take_display || return 1
        "$reader" "$work/display.xwd" field "$work/shot.xwd" $around > "$work/field"
        case $? in
        0) ! command -v check_display > /dev/null || check_display || continue
           return 0 ;;
        3) ;;
        *) return 1 ;;
        esac
    done
    fail "the field is not sharp and whole: $(cat "$work/field")"
}

# Has the game show its field at a scale in its window (--scale), and reads
# the window's shots so.
play_at_scale() {
    game_args="--scale $1"
    [ "$1" -gt 1 ] || return 0
    take_display() { xwd -id "$window" -silent > "$work/display.xwd" 2>/dev/null; }
    shot() { scaled_shot; }
}

text_is() { [ "$(text_at "$1" "$2" "${#3}")" = "$3" ]; }
pixel_is() { [ "$(pixel_at "$1" "$2")" = "$3" ]; }

# Plays the shortest whole session: title, a key, the frame, a key, the
# snake runs into the border, the prompt, n.
play_short_session() {
    start_game
    play_shortest_game
    expect_exit_0
}
# From the title on: a key, the frame, a key, the prompt, n.
play_shortest_game() {
    wait_until "the title" title_shown
    key a
    wait_until "the playfield frame" frame_shown
    key b
    wait_until "the game-over prompt" prompt_shown
    quit_key n
}

# Plays the shortest whole session, holding each screen pixel for pixel to
# what the library draws on Linux (draw_screens) for the second the game's
# random numbers were seeded in, one of those from its start to its title.
play_short_session_as_drawn() {
    local draw=$1 first last second seeded=
    first=$(date +%s)
    start_game
    wait_until "the title" title_shown
    last=$(date +%s)
    for second in $(seq "$first" "$last"); do
        mkdir -p "$work/drawn-$second"
        "$draw" "$second" "$work/drawn-$second" || fail "draw_screens"
    done
    same_as "$work/drawn-$first/title.ppm" || fail "the title differs from the library's"
    key a
    wait_until "the playfield frame" frame_shown
    for second in $(seq "$first" "$last"); do
        same_as "$work/drawn-$second/field.ppm" && seeded=$second
    done
    [ -n "$seeded" ] || fail "the playfield differs from the library's for every second from $first to $last"
    key b
    wait_until "the game-over prompt" prompt_shown
    same_as "$work/drawn-$seeded/panel.ppm" || fail "the game-over panel differs from the library's"
    quit_key n
    expect_exit_0
}
same_as() { "$reader" "$work/shot.xwd" same "$1" > /dev/null; }

# What the game shows, told by the reader from pixels no candy or block can cover.
shows() { "$reader" "$work/shot.xwd" shows "$@"; }
title_shown() { shows title "$version"; }
frame_shown() { shows frame; }
prompt_shown() { shows prompt; }

# Waits up to 60 s for the game's process, game_pid, to end by itself; says
# what did not happen when it goes on.
wait_for_end() {
    for _ in $(seq 600); do
        kill -0 "$game_pid" 2>/dev/null || return 0
        sleep 0.1
    done
    fail "$1"
}

# Waits for the game to end by itself and checks it ended well.
expect_exit_0() {
    wait_for_end "the game did not exit"
    wait "$game_pid"
    local status=$?
    game_pid=
    [ "$status" -eq 0 ] || fail "exit status $status"
    [ ! -s "$work/stdout" ] || fail "unexpected output: $(cat "$work/stdout")"
}
