// The program shell: start-up, configuration, the loop over games, shutdown.
#ifndef VORLIX_SHELL_H
#define VORLIX_SHELL_H

#include <allegro.h>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "wav.h"

extern FILE *config_file;  // open from start-up until shutdown
extern int wintype;        // 0: full screen first, 1: window first
extern int bgcol;          // background colour index, 0 black or 1 white

// Opens a file of the game's for reading, only when it is a regular file:
// a directory, a pipe or a device of that name counts as missing, and cannot
// hang the game. Returns nullptr otherwise. Each platform supplies it.
FILE *open_regular_file(const char *path);
// Reads a whole sound file, regular and of at most largest_wav_bytes, into
// bytes; false when it cannot.
bool read_sound_file(const char *path, std::vector<unsigned char> &bytes);

// Opens the configuration file and reads both values; exits with a message
// when the file is missing or a value is out of range.
void read_config();
// Reads the window type and the background from the start of the file; a
// value that is missing or unreadable comes back out of range.
void read_config_values(FILE *file, int32_t &first, int32_t &second);
// Reads one decimal integer from the file into value; false when there is
// none, it is not a number or it does not fit 32 bits.
bool read_config_value(FILE *file, int32_t &value);

// Sets up the library, the screen, the keyboard and the sound;
// exits with a message when there is no usable display.
void start_library();
// Starts the sound, or goes on without it when there is none. Each platform
// supplies it: the desktop sizes the library's mixing to be heard soon after
// a cue starts and lets it fill before the first one, Windows lets it start,
// the browser starts its own.
void start_sound();
// Installs the library's sound, or none when there is no device to play on;
// true when there is sound.
bool install_sound_or_none();
// Loads the four cue samples, each made to its cue's length; a file the
// game cannot play is left out.
void load_samples();
// Loads one sample for a cue, or returns nullptr when the file is missing or
// fails the check of wav.h. Each platform supplies it: the desktop and
// Windows check a file before the library's loader sees it
// (load_checked_sample), the browser's loader checks it as it reads it.
SAMPLE *load_cue_sample(const char *path);
// Loads a sample through the library's loader once the file has passed the
// check of wav.h; nullptr when it is missing or fails it.
SAMPLE *load_checked_sample(const char *path);

// What the game waits for the player to do, as the shell tells the platform.
enum awaited_t {
    awaited_nothing = 0,  // the game plays, or is between its screens
    awaited_start = 1,    // the title waits for any key
    awaited_go = 2,       // the playfield waits for any key to set the snake going
    awaited_answer = 3,   // the prompt waits for y or n
};
// Tells the platform what the game now waits for, so that a platform with
// words of its own beside the screen can say so (the browser's page); the
// desktop's window has only the screen, which shows it already. Each
// platform supplies it.
extern "C" void tell_awaited(int awaited);

// The answers to the question after each game.
constexpr char yes_key = 'y';
constexpr char no_key = 'n';

// Plays one game after another until the player answers n.
void play_games();
// Releases the samples, the sound, the library and the configuration file.
void shut_down();

// Prints a start-up failure and ends the program with status 0.
[[noreturn]] void fail_start(const char *message);
// Shows a start-up failure where the player sees it, beside standard output:
// the desktop's terminal and the page show standard output already, a
// Windows program has no console and shows a message box. Each platform
// supplies it.
void show_start_failure(const char *message);

#endif
