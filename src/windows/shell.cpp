// The Windows side of the shell: starting the sound, loading a cue's sample,
// what the game waits for, which the window's screen says alone, and why it
// could not start, which a program without a console shows in a message box.
#include <allegro.h>
#include <winalleg.h>

#include "present/clock.h"
#include "shell/shell.h"

// How long the game leaves the sound to start before it draws the title and
// plays its chime. The library mixes into a DirectSound buffer that it
// starts at its mixer's first tick, up to 20 ms on; under wine a chime that
// came at once was now and then broken by 30 ms of silence as the sound
// started, and never with this pause.
constexpr double sound_start_ms = 150;

void start_sound()
{
    if (install_sound_or_none())
        sleep_until_ms(now_ms() + sound_start_ms);
}

SAMPLE *load_cue_sample(const char *path)
{
    return load_checked_sample(path);
}

extern "C" void tell_awaited(int)
{
}

void show_start_failure(const char *message)
{
    MessageBoxA(nullptr, message, "Vorlix", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
