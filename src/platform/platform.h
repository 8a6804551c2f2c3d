// What each platform supplies, and all that the game asks of the machine
// beyond the library: the clock under its pace, its screen as the display
// shows it, its own files, the start of its sound, the words beside its
// screen and what it says as it starts. The game's own folders never ask
// which platform they run on; a new platform is this header written once
// more, in a folder of its own (src/desktop and src/windows share
// src/library, on the real library; src/web stands in for the library in a
// browser; src/posix opens files for the desktop and the browser).
#ifndef VORLIX_PLATFORM_H
#define VORLIX_PLATFORM_H

#include <cstdio>

// Returns the time in milliseconds on a clock that never jumps, and that
// stands still while the game is held (its window without the keyboard).
extern "C" double now_ms();
// Returns once now_ms() has reached deadline, showing what the game drew and
// taking keys meanwhile, and holding the game still while it is held.
extern "C" void sleep_until_ms(double deadline);

// Opens the screen the game draws on and reads back, 640 x 480 at 32 bits,
// with the library's card: full screen (GFX_AUTODETECT) or a window
// (GFX_AUTODETECT_WINDOWED). The display shows it at the largest whole
// scale that fits, or at the scale the player chose (0 for none) where that
// fits, each game pixel a sharp square. False when there is no such screen.
bool open_screen(int card, int scale);

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
// Shows what the program says as it starts (a failure, or what --help asks
// for) where the player sees it, beside the standard output or error that
// has it already.
void show_start_message(const char *message, bool failure);

#endif
