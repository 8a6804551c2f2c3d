// Bitmaps, pixels and lines for the browser, the library's way.
#include "bitmap.h"

#include <cstdlib>

namespace web {

BITMAP *create_bitmap(int width, int height)
{
    BITMAP *bmp = new BITMAP;
    bmp->w = width;
    bmp->h = height;
    bmp->pixels = new uint32_t[(size_t)width * height]();
    bmp->dirty_left = 0;
    bmp->dirty_top = 0;
    bmp->dirty_right = width - 1;
    bmp->dirty_bottom = height - 1;
    return bmp;
}

void destroy_bitmap(BITMAP *bmp)
{
    if (!bmp)
        return;
    delete[] bmp->pixels;
    delete bmp;
}

int makecol(int r, int g, int b)
{
    return (r & 0xff) << 16 | (g & 0xff) << 8 | (b & 0xff);
}

// Grows the drawn area to take in (x, y).
static void mark_drawn(BITMAP *bmp, int x, int y)
{
    if (bmp->dirty_left > bmp->dirty_right) {
        bmp->dirty_left = bmp->dirty_right = x;
        bmp->dirty_top = bmp->dirty_bottom = y;
        return;
    }
    if (x < bmp->dirty_left)
        bmp->dirty_left = x;
    if (x > bmp->dirty_right)
        bmp->dirty_right = x;
    if (y < bmp->dirty_top)
        bmp->dirty_top = y;
    if (y > bmp->dirty_bottom)
        bmp->dirty_bottom = y;
}

void putpixel(BITMAP *bmp, int x, int y, int color)
{
    if (x < 0 || y < 0 || x >= bmp->w || y >= bmp->h)
        return;
    bmp->pixels[(size_t)y * bmp->w + x] = (uint32_t)color;
    mark_drawn(bmp, x, y);
}

int getpixel(BITMAP *bmp, int x, int y)
{
    if (x < 0 || y < 0 || x >= bmp->w || y >= bmp->h)
        return -1;
    return (int)bmp->pixels[(size_t)y * bmp->w + x];
}

void line(BITMAP *bmp, int x1, int y1, int x2, int y2, int color)
{
    // Bresenham along the longer axis from the first point, with the decision
    // term tie broken the library's way for each of the eight directions.
    // Pixels off the bitmap are left out one by one, as the library clips
    // such a line.
    int dx = x2 - x1, dy = y2 - y1;
    bool along_x = std::abs(dx) >= std::abs(dy);
    int lead = along_x ? x1 : y1, lead_end = along_x ? x2 : y2;
    int side = along_x ? y1 : x1;
    int lead_step = (along_x ? dx : dy) >= 0 ? 1 : -1;
    int side_step = (along_x ? dy : dx) >= 0 ? 1 : -1;
    int lead_len = std::abs(along_x ? dx : dy);
    if (lead_len == 0) {
        putpixel(bmp, x1, y1, color);
        return;
    }
    int i1 = 2 * (along_x ? dy : dx);
    int d = i1 - side_step * lead_len;
    int i2 = d - side_step * lead_len;
    for (;; lead += lead_step) {
        if (along_x)
            putpixel(bmp, lead, side, color);
        else
            putpixel(bmp, side, lead, color);
        if (lead == lead_end)
            break;
        if (side_step > 0 ? d >= 0 : d <= 0) {
            side += side_step;
            d += i2;
        } else {
            d += i1;
        }
    }
}

void mark_shown(BITMAP *bmp)
{
    bmp->dirty_left = 1;
    bmp->dirty_right = 0;
}

}  // namespace web
