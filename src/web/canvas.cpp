// The screen on the page's canvas. The game draws on a bitmap; whenever it
// hands the page back to the browser, the area it drew is copied over.
#include <allegro.h>
#include <cstdio>

#include "browser.h"
#include "platform/platform.h"
#include "record/state.h"

namespace web {

BITMAP *screen = nullptr;
PALETTE default_palette;

static int color_depth = 8;              // of the next graphics mode
static uint32_t *canvas_rgba = nullptr;  // the screen in the canvas's byte order

void show_screen()
{
    if (!screen || screen->dirty_left > screen->dirty_right)
        return;
    for (int y = screen->dirty_top; y <= screen->dirty_bottom; y++)
        for (int x = screen->dirty_left; x <= screen->dirty_right; x++) {
            uint32_t c = screen->pixels[y * screen->w + x];
            // 0x00RRGGBB becomes the bytes R, G, B, 255.
            canvas_rgba[y * screen->w + x] =
                0xff000000u | (c & 0xff) << 16 | (c & 0xff00) | (c >> 16 & 0xff);
        }
    vorlix_show(canvas_rgba, screen->w, screen->h, screen->dirty_left, screen->dirty_top,
                screen->dirty_right, screen->dirty_bottom);
    mark_shown(screen);
}

void close_screen()
{
    destroy_bitmap(screen);
    screen = nullptr;
    delete[] canvas_rgba;
    canvas_rgba = nullptr;
}

void set_color_depth(int depth)
{
    color_depth = depth;
}

int set_gfx_mode(int, int w, int h, int, int)
{
    close_screen();
    if (color_depth != 32 || w <= 0 || h <= 0) {
        snprintf(allegro_error, ALLEGRO_ERROR_SIZE, "The page shows only 32-bit screens, not %d-bit %dx%d",
                 color_depth, w, h);
        return -1;
    }
    screen = create_bitmap(w, h);
    canvas_rgba = new uint32_t[(size_t)w * h];
    vorlix_open_canvas(w, h);
    return 0;
}

void set_palette(const RGB *)
{
}

}  // namespace web

bool open_screen(int card, int)
{
    // The page scales the canvas itself (layout.js), as large as the window
    // holds it.
    return web::set_gfx_mode(card, screen_w, screen_h, 0, 0) >= 0;
}
