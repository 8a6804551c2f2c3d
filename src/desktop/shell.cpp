// What the Linux game says as it starts, which the terminal, where the shell
// printed it, says already; and its sound, which is the library's own.
#include "library/library.h"
#include "platform/platform.h"

void show_start_message(const char *, bool)
{
}

void offer_sound_outputs()
{
    // The library's own ALSA output is heard soon enough (sound.cpp).
}
