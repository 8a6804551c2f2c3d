// The clock under the game's pace, in milliseconds: all that the game asks of
// the machine's time. Each platform supplies both routines.
#ifndef VORLIX_CLOCK_H
#define VORLIX_CLOCK_H

// How long a wait for a key rests between two looks at the keyboard: a key
// is still answered at once to the eye, and a player who walks away costs
// the machine next to nothing.
constexpr double poll_pause_ms = 10;

// Returns the time on a clock that never jumps.
extern "C" double now_ms();
// Returns once now_ms() has reached deadline; meanwhile the platform may show
// the screen and take keys.
extern "C" void sleep_until_ms(double deadline);

#endif
