// Starting and stopping the stand-in library in the page.
#include <allegro.h>

#include "browser.h"
#include "platform/platform.h"

namespace web {

char allegro_error[ALLEGRO_ERROR_SIZE] = "";

int allegro_init()
{
    allegro_error[0] = '\0';
    set_color_depth(8);  // the library's own starting depth
    return 0;
}

void allegro_exit()
{
    remove_sound();
    remove_keyboard();
    close_screen();
}

}  // namespace web

void show_start_message(const char *, bool)
{
    // The page shows what the game prints to standard output.
}
