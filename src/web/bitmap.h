// The browser's stand-in for the library's bitmaps: a 32-bit surface that
// packs colours and draws lines exactly as the library does, and remembers
// the area drawn since the page last showed it.
#ifndef VORLIX_WEB_BITMAP_H
#define VORLIX_WEB_BITMAP_H

#include <cstdint>

namespace web {

struct BITMAP {
    int w, h;                  // size in pixels
    uint32_t *pixels;          // w * h pixels, row after row, as makecol packs them
    int dirty_left, dirty_top;      // the area drawn since the page last showed it;
    int dirty_right, dirty_bottom;  // empty while dirty_left > dirty_right
};

// Makes a bitmap of the given size, cleared to black.
BITMAP *create_bitmap(int width, int height);
// Frees a bitmap.
void destroy_bitmap(BITMAP *bmp);
// Packs a colour as the library does at 32 bits: 0x00RRGGBB.
int makecol(int r, int g, int b);
// Sets one pixel; outside the bitmap nothing happens.
void putpixel(BITMAP *bmp, int x, int y, int color);
// Reads one pixel; -1 outside the bitmap.
int getpixel(BITMAP *bmp, int x, int y);
// Draws a line with both end points, pixel for pixel as the library draws it.
void line(BITMAP *bmp, int x1, int y1, int x2, int y2, int color);
// Forgets the drawn area once the page has shown it.
void mark_shown(BITMAP *bmp);

}  // namespace web

#endif
