// Starting the sound where the game stands on the real library, on Linux and
// on Windows, and what the game waits for, which their windows show alone.
#include <allegro.h>

#include "library.h"
#include "platform/platform.h"

// The library's ALSA driver, on Linux, mixes the sound in blocks of 640
// frames and keeps 3 of them ahead of what is heard (other drivers keep their
// own, and leave these alone). Its background thread mixes one block
// every 10 ms or a little more, and the device starts as soon as it has the
// first one; so the buffer grows only by what a block lasts beyond 10 ms,
// and a thread late by that much at the start runs it dry. Blocks of 640
// (14.5 ms) leave 4.5 ms of slack from the first and fill the three within
// seven ticks; a cue is then heard 34 to 58 ms after it starts. Blocks of
// 512 left 1.6 ms and ran dry at the start in one run in ten, and in one in
// four with both cores busy; the library's own 1024 x 5 puts a cue
// 120 to 140 ms behind; fewer blocks, or shorter ones, run dry as the game
// plays. Measured on the tests' own sound device. The settings override the
// library's configuration in memory only: nothing is written to a file.
constexpr char sound_blocks[] = "[sound]\nalsa_fragsize = 640\nalsa_numfrags = 3\n";
// How long the game leaves the sound to start and fill its blocks before it
// draws the title and plays its chime: the same background thread also
// serves the window, and the first drawing could hold it up while the
// buffer is thin. On Windows the library starts its buffer at its mixer's
// first tick, up to 20 ms on; under wine a chime that came at once was now
// and then broken by 30 ms of silence, and never after this pause.
constexpr double sound_fill_ms = 150;

// Installs the library's sound, or none when there is no device to play on;
// true when there is sound.
static bool install_sound_or_none()
{
    if (install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr) == 0)
        return true;
    install_sound(DIGI_NONE, MIDI_NONE, nullptr);
    return false;
}

void start_sound()
{
    override_config_data(sound_blocks, sizeof sound_blocks - 1);
    offer_sound_outputs();
    if (install_sound_or_none())
        sleep_until_ms(now_ms() + sound_fill_ms);
}

extern "C" void tell_awaited(int)
{
    // The window's screen says what the game waits for.
}
