// The browser side of the stand-in library: start-up, the canvas, the
// keyboard's waits, the clock under the game's pace, and Web Audio. The game
// blocks in its waits; built with Asyncify, each wait hands the page back to
// the browser, which shows the latest frame and delivers keys meanwhile.
#include <allegro.h>
#include <cstdint>
#include <cstdio>
#include <emscripten.h>

#include "present/present.h"

// The page's side, in browser.js.
extern "C" {
void vorlix_open_canvas(int width, int height);
void vorlix_show(const uint32_t *rgba, int width, int height, int left, int top, int right, int bottom);
int vorlix_sound_available();
void vorlix_play(const void *spl, const void *data, int frames, int bits, int stereo, int freq, int vol,
                 int pan, int speed, int loop);
void vorlix_stop(const void *spl);
void vorlix_stop_all();
}

namespace web {

BITMAP *screen = nullptr;
PALETTE default_palette;
char allegro_error[256] = "";

static int color_depth = 8;          // of the next graphics mode, as the library starts
static bool keyboard_on = false;     // keys from the page go to the buffer
static bool sound_on = false;        // samples are heard
static uint32_t *canvas_rgba = nullptr;  // the screen in the canvas's byte order
static int polls_since_wait = 0;     // keypressed calls since the game last waited

// A game spinning on keypressed gives the page this long at each poll: long
// enough to keep the page idle, short enough that a key is answered at once.
constexpr unsigned spin_pause_ms = 10;

// Shows what the game drew since the last time on the canvas.
static void show_screen()
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

// Gives the browser the page for ms, after showing the latest frame.
static void yield_to_page(unsigned ms)
{
    show_screen();
    emscripten_sleep(ms);
}

// Lets go of the screen.
static void close_screen()
{
    destroy_bitmap(screen);
    screen = nullptr;
    delete[] canvas_rgba;
    canvas_rgba = nullptr;
}

int allegro_init()
{
    color_depth = 8;
    keyboard_on = sound_on = false;
    allegro_error[0] = '\0';
    return 0;
}

void allegro_exit()
{
    remove_sound();
    keyboard_on = false;
    clear_keybuf();
    close_screen();
}

int install_keyboard()
{
    clear_keybuf();
    keyboard_on = true;
    return 0;
}

void set_color_depth(int depth)
{
    color_depth = depth;
}

int set_gfx_mode(int card, int w, int h, int, int)
{
    close_screen();
    if (card == GFX_TEXT)
        return 0;
    if (color_depth != 32 || w <= 0 || h <= 0) {
        snprintf(allegro_error, 256, "The page shows only 32-bit screens, not %d-bit %dx%d",
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

int install_sound(int digi, int, const char *)
{
    sound_on = false;
    if (digi == DIGI_NONE)
        return 0;
    if (!vorlix_sound_available()) {
        snprintf(allegro_error, 256, "This browser has no Web Audio");
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

int play_sample(const SAMPLE *spl, int vol, int pan, int freq, int loop)
{
    if (!sound_on || !spl)
        return -1;
    vorlix_play(spl, spl->data, (int)spl->len, spl->bits, spl->stereo, spl->freq, vol, pan, freq, loop);
    return 0;
}

void stop_sample(const SAMPLE *spl)
{
    vorlix_stop(spl);
}

int keypressed()
{
    // One poll a step is the step loop's own; more with no wait between them
    // is a wait for a key, which must not keep the page from running.
    if (++polls_since_wait > 1)
        yield_to_page(spin_pause_ms);
    return key_waiting();
}

int readkey()
{
    while (!key_waiting())
        yield_to_page(spin_pause_ms);
    polls_since_wait = 0;
    return take_key();
}

}  // namespace web

// The page hands over each key typed: the character in the low byte.
extern "C" EMSCRIPTEN_KEEPALIVE void vorlix_key(int key)
{
    if (web::keyboard_on)
        web::simulate_keypress(key);
}

// The page's clock never jumps; it counts from the page's start.
extern "C" double now_ms()
{
    return emscripten_get_now();
}

// Shows the frame and gives the page back to the browser until the deadline.
extern "C" void sleep_until_ms(double deadline)
{
    web::polls_since_wait = 0;
    web::show_screen();
    double left = deadline - emscripten_get_now();
    emscripten_sleep(left > 0 ? (unsigned)(left + 0.5) : 0);
}
