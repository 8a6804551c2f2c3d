// The game's pace. Every wait of the game comes through here and keeps a
// deadline: a wait that follows the previous one ends its length after that
// one's end, not after "now", so the time spent drawing between two waits and
// the sleep's own lateness do not add up over a game.
#include "present.h"

static double pace_deadline = 0;  // when the previous wait ended, ms on the platform's clock
static bool pace_kept = false;    // false until a wait has run since the last gap

// How far behind its deadlines the game may fall and still make the time up.
// Late timers in browsers wake up to about 90 ms late, and each of those is
// made up; a longer hold-up (a stall, a laptop waking) starts the pace afresh,
// since making up more than a dozen steps at once would look like a jump.
constexpr double most_made_up_ms = 100;

void keep_pace(int ms)
{
    double now = now_ms();
    double deadline = pace_deadline + ms;
    if (!pace_kept || now - deadline > most_made_up_ms)
        deadline = now + ms;
    pace_deadline = deadline;
    pace_kept = true;
    // A deadline already passed is not slept for at all: even a sleep of
    // nothing gives the browser's timers a chance to be late again.
    if (deadline > now)
        sleep_until_ms(deadline);
}

void keep_pace_whole(int ms)
{
    reset_pace();
    keep_pace(ms);
}

void reset_pace()
{
    pace_kept = false;
}

void pause_after_step()
{
    keep_pace(game_state.step_delay);
}

void pause_with_laser_dots()
{
    keep_pace(game_state.laser_delay);
}

void pause_between_polls()
{
    sleep_until_ms(now_ms() + poll_pause_ms);
}
