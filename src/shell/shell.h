// The program shell: start-up, configuration, the loop over games, shutdown.
#ifndef VORLIX_SHELL_H
#define VORLIX_SHELL_H

#include <allegro.h>
#include <cstdint>
#include <cstdio>

#include "../platform/platform.h"
#include "wav.h"

extern FILE *config_file;  // open from start-up until shutdown
extern int wintype;        // 0: full screen first, 1: window first
extern int bgcol;          // background colour index, 0 black or 1 white
extern int chosen_scale;   // the scale the player chose with --scale; 0 for the largest that fits

// The largest scale --scale takes: far more than any screen holds.
constexpr int most_scale = 32;
// The exit status of a command line the game cannot take.
constexpr int bad_options_status = 2;

// Reads the command line: --scale N, --help and --version. Help and the
// version are printed and end the program; anything else it cannot take
// says why and ends the program with bad_options_status, before any window
// opens.
void read_options(int argc, char **argv);

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
// Loads the four cue samples, each made to its cue's length; a file the
// game cannot play is left out.
void load_samples();
// Loads one sample for a cue through the library's loader once the file has
// passed the check of wav.h; nullptr when it is missing or fails it.
SAMPLE *load_cue_sample(const char *path);

// What the game waits for the player to do, as the shell tells the platform
// (tell_awaited).
enum awaited_t {
    awaited_nothing = 0,  // the game plays, or is between its screens
    awaited_start = 1,    // the title waits for any key
    awaited_go = 2,       // the playfield waits for any key to set the snake going
    awaited_answer = 3,   // the prompt waits for y or n
};

// The answers to the question after each game.
constexpr char yes_key = 'y';
constexpr char no_key = 'n';

// Plays one game after another until the player answers n.
void play_games();
// Releases the samples, the sound, the library and the configuration file.
void shut_down();

// Prints a start-up failure and ends the program with status 0.
[[noreturn]] void fail_start(const char *message);

#endif
