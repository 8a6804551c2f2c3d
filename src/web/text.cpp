// Text in the built-in font, the library's way.
#include "text.h"

#include <cstdarg>
#include <cstdio>

namespace web {

static FONT builtin_font = {8};
FONT *font = &builtin_font;

// The library draws this for a character its font does not hold.
constexpr int missing_glyph = '^';

// Reads one character of UTF-8 text and moves past it; a broken sequence
// gives its first byte.
static int next_char(const unsigned char *&s)
{
    int c = *s++;
    int more = c >= 0xf0 ? 3 : c >= 0xe0 ? 2 : c >= 0xc0 ? 1 : 0;
    int code = more ? c & (0x3f >> more) : c;
    for (int i = 0; i < more; i++, s++) {
        if ((*s & 0xc0) != 0x80)
            return c;
        code = code << 6 | (*s & 0x3f);
    }
    return code;
}

// Draws one glyph's 8 x 8 cell.
static void draw_glyph(BITMAP *bmp, int code, int x, int y, int color, int bg)
{
    if (code < first_glyph || code > last_glyph)
        code = missing_glyph;
    const unsigned char *rows = font_glyphs[code - first_glyph];
    for (int row = 0; row < 8; row++)
        for (int col = 0; col < 8; col++) {
            if (rows[row] & (0x80 >> col))
                putpixel(bmp, x + col, y + row, color);
            else if (bg != -1)
                putpixel(bmp, x + col, y + row, bg);
        }
}

void textout_ex(BITMAP *bmp, const FONT *, const char *text, int x, int y, int color, int bg)
{
    const unsigned char *s = (const unsigned char *)text;
    while (*s) {
        draw_glyph(bmp, next_char(s), x, y, color, bg);
        x += 8;
    }
}

void textprintf_ex(BITMAP *bmp, const FONT *f, int x, int y, int color, int bg, const char *format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    textout_ex(bmp, f, text, x, y, color, bg);
}

}  // namespace web
