// The clock under the game's pace, in milliseconds: all that the game asks of
// the machine's time. Each platform supplies both routines.
#ifndef VORLIX_CLOCK_H
#define VORLIX_CLOCK_H

// Returns the time on a clock that never jumps.
extern "C" double now_ms();
// Returns once now_ms() has reached deadline; meanwhile the platform may show
// the screen and take keys.
extern "C" void sleep_until_ms(double deadline);

#endif
