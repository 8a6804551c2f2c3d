// The test screen and its readers.
#include "screen.h"

#include <cstdint>

#include "present/present.h"

void start_test_screen()
{
    if (screen)
        return;
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    screen = create_bitmap(640, 480);
    init_color_table();
}

void fill_screen(int color_index)
{
    clear_to_color(screen, color(color_index));
}

int color(int color_index)
{
    return pixel_of(color_index);
}

int count_color(int left, int top, int right, int bottom, int color_index)
{
    int c = color(color_index), n = 0;
    for (int y = top; y <= bottom; y++)
        for (int x = left; x <= right; x++)
            n += getpixel(screen, x, y) == c;
    return n;
}

// The 8 x 8 cell at (x, y) as 64 bits, one for each pixel of the given value.
static uint64_t cell_mask(BITMAP *bmp, int x, int y, int pixel)
{
    uint64_t mask = 0;
    for (int row = 0; row < 8; row++)
        for (int col = 0; col < 8; col++)
            if (getpixel(bmp, x + col, y + row) == pixel)
                mask |= (uint64_t)1 << (row * 8 + col);
    return mask;
}

// The shape of one printable character in the built-in font.
static uint64_t glyph_mask(int ch)
{
    static uint64_t glyphs[128];
    static bool ready = false;
    if (!ready) {
        BITMAP *cell = create_bitmap_ex(32, 8, 8);
        for (int c = 32; c < 127; c++) {
            clear_to_color(cell, 0);
            textprintf_ex(cell, font, 0, 0, 1, -1, "%c", c);
            glyphs[c] = cell_mask(cell, 0, 0, 1);
        }
        destroy_bitmap(cell);
        ready = true;
    }
    return glyphs[ch];
}

std::string read_text(BITMAP *bmp, int x, int y, int length, int pixel)
{
    std::string text;
    for (int i = 0; i < length; i++) {
        uint64_t mask = cell_mask(bmp, x + 8 * i, y, pixel);
        char found = '?';
        for (int c = 32; c < 127; c++)
            if (glyph_mask(c) == mask) {
                found = (char)c;
                break;
            }
        text += found;
    }
    return text;
}

std::string screen_text(int x, int y, int length, int color_index)
{
    return read_text(screen, x, y, length, color(color_index));
}
