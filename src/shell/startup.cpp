// Setting up and shutting down the library, the screen and the sound.
#include <cstdlib>

#include "../game/game.h"
#include "../present/present.h"
#include "shell.h"

void fail_start(const char *message)
{
    fputs(message, stdout);
    fflush(stdout);
    show_start_message(message, true);
    exit(0);
}

// Starting the library now and then fails for a moment even with a display
// there, so a failed start is tried again before the game gives up.
constexpr int library_start_tries = 3;
constexpr double library_retry_pause_ms = 200;

// Starts the library, trying a few times; false when it never starts.
static bool start_allegro()
{
    for (int attempt = 1; attempt <= library_start_tries; attempt++) {
        if (allegro_init() == 0)
            return true;
        if (attempt < library_start_tries)
            sleep_until_ms(now_ms() + library_retry_pause_ms);
    }
    return false;
}

void start_library()
{
    const char *no_graphics = "Graphics error or wrong resolution.\n";
    // Without a display the library cannot start, and any later call would crash.
    if (!start_allegro())
        fail_start(no_graphics);
    install_keyboard();
    set_color_depth(32);
    int first = wintype == 0 ? GFX_AUTODETECT : GFX_AUTODETECT_WINDOWED;
    int second = wintype == 0 ? GFX_AUTODETECT_WINDOWED : GFX_AUTODETECT;
    if (!open_screen(first, chosen_scale) && !open_screen(second, chosen_scale)) {
        allegro_exit();
        fail_start(no_graphics);
    }
    set_palette(default_palette);
    start_sound();
}

void shut_down()
{
    destroy_sample(spl_start);
    destroy_sample(spl_laser);
    destroy_sample(spl_candy);
    destroy_sample(spl_hit);
    remove_sound();
    allegro_exit();
    fclose(config_file);
}
