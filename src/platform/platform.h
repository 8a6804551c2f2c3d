// What each platform supplies, and all that the game asks of the machine
// beyond the library: the clock under its pace, its own files, the start of
// its sound, the words beside its screen and why it could not start. The
// game's own folders never ask which platform they run on; a new platform is
// this header written once more, in a folder of its own (src/desktop and
// src/windows share src/library, on the real library; src/web stands in for
// the library in a browser; src/posix opens files for the desktop and the
// browser).
#ifndef VORLIX_PLATFORM_H
#define VORLIX_PLATFORM_H

#include <cstdio>

// Returns the time in milliseconds on a clock that never jumps.
extern "C" double now_ms();
// Returns once now_ms() has reached deadline, showing what the game drew and
// taking keys meanwhile.
extern "C" void sleep_until_ms(double deadline);

// Opens a file of the game's for reading only when it is a regular file, so
// that a directory, a pipe or a device of that name counts as missing and
// cannot hang the game; nullptr otherwise.
FILE *open_regular_file(const char *path);

// Starts the library's sound, or goes on without it, and lets it settle
// before the first cue.
void start_sound();

// Tells what the game now waits for the player to do (an awaited_t of the
// shell), for a platform with words of its own beside the screen.
extern "C" void tell_awaited(int awaited);
// Shows a start-up failure where the player sees it, beside the standard
// output that has it already.
void show_start_failure(const char *message);

#endif
