# A scripted game of the real program under valgrind's memcheck: no invalid
# reads or writes, no definite leaks of the game's own.
. "$(dirname "$0")/lib.sh"

log="$work/memcheck.log"
launcher="valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite
    --errors-for-leak-kinds=definite --error-exitcode=99 --log-file=$log
    --suppressions=$(dirname "$0")/../valgrind.supp"

start_game
wait_until "the title" title_shown
key a
wait_until "the playfield frame" frame_shown
key b x s space l
wait_until "the game-over prompt" prompt_shown
quit_key n
expect_exit_0 || { cat "$log"; exit 1; }
grep -E "ERROR SUMMARY|definitely lost" "$log"
grep -q "ERROR SUMMARY: 0 errors" "$log" || { cat "$log"; fail "memcheck found errors"; }
echo "window test passed: a game under memcheck"
