# Plays a short scripted game and saves three pictures of it as PNG files.
# Arguments: PROGRAM READ_SCREEN ASSETS OUTPUT_DIR (run under an X server).
out=$4
. "$(dirname "$0")/../tests/e2e/lib.sh" "$1" "$2" "$3"

save() { convert "xwd:$work/shot.xwd" "$out/$1.png" && echo "saved $out/$1.png"; }

start_game
wait_until "the title" title_shown
save title
key a
wait_until "the playfield frame" frame_shown
# A loop round the middle of the field, firing ahead now and then.
key b
for turn in l l l l l l l l; do
    sleep 1.2
    key space "$turn"
done
shot
prompt_shown && fail "the snake died before the picture of a game in progress; run again"
save playing
wait_until "the game-over prompt" prompt_shown
save game-over
quit_key n
expect_exit_0
