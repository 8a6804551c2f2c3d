// Sound in the page: the samples play through the page's Web Audio.
#include <allegro.h>
#include <cstdio>

#include "browser.h"
#include "shell/shell.h"

namespace web {

static bool sound_on = false;  // samples are heard

int install_sound(int digi, int, const char *)
{
    sound_on = false;
    if (digi == DIGI_NONE)
        return 0;
    if (!vorlix_sound_available()) {
        snprintf(allegro_error, ALLEGRO_ERROR_SIZE, "This browser has no Web Audio");
        return -1;
    }
    sound_on = true;
    return 0;
}

void remove_sound()
{
    vorlix_stop_all();
    sound_on = false;
}

int play_sample(const SAMPLE *spl, int vol, int pan, int freq, int)
{
    if (!sound_on || !spl)
        return -1;
    vorlix_play(spl, spl->data, (int)spl->len, spl->bits, spl->stereo, spl->freq, vol, pan, freq);
    return 0;
}

void stop_sample(const SAMPLE *spl)
{
    vorlix_stop(spl);
}

}  // namespace web

void start_sound()
{
    // A browser without Web Audio leaves the sound off, and the game silent.
    web::install_sound(web::DIGI_AUTODETECT, web::MIDI_AUTODETECT, nullptr);
}
