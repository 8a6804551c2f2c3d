// The game's screen on the library's: the game draws on and reads back its
// own 640 x 480 bitmap, always, and the library's screen, as large as the
// window or the monitor, shows it at a whole scale, each game pixel a square
// of k x k device pixels, with black around it. Only the rows that changed
// since the last time are shown again, each widened once and copied k times.
#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <cstdint>
#include <cstring>

#include "library.h"
#include "platform/platform.h"
#include "record/state.h"

static BITMAP *library_screen = nullptr;  // the library's own screen, which the display shows
static BITMAP *shown = nullptr;           // the game's screen as it was last shown
static BITMAP *widened = nullptr;         // the game's screen at scale, where it changed
static int scale = 1;                     // device pixels a game pixel, each way
static int field_left = 0, field_top = 0; // where the game's screen lies on the library's

// The largest whole scale at which the field fits w x h, at least 1; the
// player's chosen scale (0 for none) where that fits.
static int fitting_scale(int w, int h, int chosen)
{
    int largest = w / screen_w < h / screen_h ? w / screen_w : h / screen_h;
    if (largest < 1)
        largest = 1;
    return chosen >= 1 && chosen < largest ? chosen : largest;
}

// Gives the library its own screen back, and lets go of the game's, as the
// library shuts down (before it closes its screen).
static void give_back_screen()
{
    if (!library_screen)
        return;
    BITMAP *field = screen;
    screen = library_screen;
    library_screen = nullptr;
    destroy_bitmap(field);
    destroy_bitmap(shown);
    destroy_bitmap(widened);
    shown = widened = nullptr;
}

// Sets the library's screen to w x h with the card, and puts the game's own
// 640 x 480 screen in its place as screen, shown at scale k with its top-left
// corner at (left, top) and black around it; false when the library has no
// such mode. The library gets its own screen back as it shuts down.
static bool open_scaled_screen(int card, int w, int h, int k, int left, int top)
{
    if (set_gfx_mode(card, w, h, 0, 0) < 0)
        return false;
    library_screen = screen;
    scale = k;
    field_left = left;
    field_top = top;
    BITMAP *field = create_bitmap_ex(32, screen_w, screen_h);
    shown = create_bitmap_ex(32, screen_w, screen_h);
    widened = k > 1 ? create_bitmap_ex(32, screen_w * k, screen_h * k) : nullptr;
    if (!field || !shown || (k > 1 && !widened)) {
        screen = field;
        give_back_screen();
        return false;
    }
    // The library's new screen is black, and so are both of these: the
    // field shows as it is.
    clear_bitmap(field);
    clear_bitmap(shown);
    screen = field;
    _add_exit_func(give_back_screen, "give_back_screen");
    watch_keyboard();
    return true;
}

bool open_screen_on(int card, bool full, int chosen, area_t monitor, area_t work, int frame_w, int frame_h)
{
    if (full) {
        int k = fitting_scale(monitor.w, monitor.h, chosen);
        return open_scaled_screen(card, monitor.w, monitor.h, k, (monitor.w - screen_w * k) / 2,
                                  (monitor.h - screen_h * k) / 2);
    }
    int k = fitting_scale(work.w - frame_w, work.h - frame_h, chosen);
    return open_scaled_screen(card, screen_w * k, screen_h * k, k, 0, 0);
}

// The first and the last column at which row y of the game's screen differs
// from what was shown; false when it does not.
static bool row_changed(int y, int &first, int &last)
{
    const uint32_t *now = (const uint32_t *)screen->line[y];
    const uint32_t *was = (const uint32_t *)shown->line[y];
    if (memcmp(now, was, screen_w * sizeof(uint32_t)) == 0)
        return false;
    first = 0;
    while (now[first] == was[first])
        first++;
    last = screen_w - 1;
    while (now[last] == was[last])
        last--;
    return true;
}

// Shows rows top..bottom, columns left..right of the game's screen.
static void show_area(int top, int bottom, int left, int right)
{
    int w = right - left + 1, h = bottom - top + 1;
    if (scale == 1) {
        blit(screen, library_screen, left, top, field_left + left, field_top + top, w, h);
        return;
    }
    size_t row_bytes = (size_t)w * scale * sizeof(uint32_t);
    for (int y = top; y <= bottom; y++) {
        const uint32_t *from = (const uint32_t *)screen->line[y] + left;
        uint32_t *to = (uint32_t *)widened->line[y * scale] + left * scale;
        for (int x = 0; x < w; x++)
            for (int i = 0; i < scale; i++)
                *to++ = from[x];
        for (int i = 1; i < scale; i++)
            memcpy((uint32_t *)widened->line[y * scale + i] + left * scale,
                   (uint32_t *)widened->line[y * scale] + left * scale, row_bytes);
    }
    blit(widened, library_screen, left * scale, top * scale, field_left + left * scale, field_top + top * scale,
         w * scale, h * scale);
}

bool show_field()
{
    if (!library_screen)
        return false;
    bool changed = false;
    // Held for the whole of it, so that the library's own updater, which may
    // copy the screen to the window from another thread meanwhile, never
    // takes a line as copied before it is all written (the GDI window's
    // driver would otherwise lose now and then the first line of a blit).
    acquire_bitmap(library_screen);
    for (int y = 0; y < screen_h;) {
        int first, last;
        if (!row_changed(y, first, last)) {
            y++;
            continue;
        }
        // A run of changed rows is shown in one go, as wide as it changed.
        int top = y, left = first, right = last;
        do {
            left = first < left ? first : left;
            right = last > right ? last : right;
            memcpy(shown->line[y], screen->line[y], screen_w * sizeof(uint32_t));
            y++;
        } while (y < screen_h && row_changed(y, first, last));
        show_area(top, y - 1, left, right);
        changed = true;
    }
    release_bitmap(library_screen);
    return changed;
}
