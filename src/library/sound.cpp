// Starting the sound where the game stands on the real library, on Linux and
// on Windows, and what the game waits for, which their windows show alone.
#include "shell/shell.h"

// The library mixes its sound in blocks of this many frames, and keeps this
// many of them ahead of what is heard (the Linux library's ALSA driver reads
// them; other drivers keep their own). Its background thread mixes one block
// every 10 ms or a little more, and the device starts as soon as it has the
// first one; so the buffer grows only by what a block lasts beyond 10 ms,
// and a thread late by that much at the start runs it dry. Blocks of 640
// (14.5 ms) leave 4.5 ms of slack from the first and fill the three within
// seven ticks; a cue is then heard 34 to 58 ms after it starts. Blocks of
// 512 left 1.6 ms and ran dry at the start in one run in ten, and in one in
// four with both cores busy; the library's own 1024 x 5 puts a cue
// 120 to 140 ms behind; fewer blocks, or shorter ones, run dry as the game
// plays. Measured on the tests' own sound device.
constexpr int sound_block_frames = 640;
constexpr int sound_blocks = 3;
// How long the game leaves the sound to start and fill its blocks before it
// draws the title and plays its chime: the same background thread also
// serves the window, and the first drawing could hold it up while the
// buffer is thin. On Windows the library starts its buffer at its mixer's
// first tick, up to 20 ms on; under wine a chime that came at once was now
// and then broken by 30 ms of silence, and never after this pause.
constexpr double sound_fill_ms = 150;

void start_sound()
{
    set_config_int("sound", "alsa_fragsize", sound_block_frames);
    set_config_int("sound", "alsa_numfrags", sound_blocks);
    if (install_sound_or_none())
        sleep_until_ms(now_ms() + sound_fill_ms);
}

extern "C" void tell_awaited(int)
{
    // The window's screen says what the game waits for.
}
