// The library's built-in 8 x 8 font for the browser, drawn from a table of
// glyphs that the build takes from the library itself.
#ifndef VORLIX_WEB_TEXT_H
#define VORLIX_WEB_TEXT_H

#include "bitmap.h"

namespace web {

struct FONT {
    int height;  // every glyph is 8 pixels wide and this tall
};

extern FONT *font;  // the built-in font

// The first and last character the glyph table holds, and its rows: bit 7 of
// a row's byte is the glyph's leftmost pixel.
constexpr int first_glyph = 32;
constexpr int last_glyph = 255;
extern const unsigned char font_glyphs[last_glyph - first_glyph + 1][8];

// Draws UTF-8 text with its top-left corner at (x, y); bg -1 leaves the
// pixels between the strokes as they are.
void textout_ex(BITMAP *bmp, const FONT *f, const char *text, int x, int y, int color, int bg);
// Formats and draws text, as textout_ex.
void textprintf_ex(BITMAP *bmp, const FONT *f, int x, int y, int color, int bg, const char *format, ...)
    __attribute__((format(printf, 7, 8)));

}  // namespace web

#endif
