// Reads a screenshot of the game back for the window and page tests: an X
// window dump, or the page's canvas saved as a binary PPM. It tells a
// pixel's colour, the text drawn there in the built-in font, and which of
// the game's screens it shows, by pixels that no candy or block can cover.
//   read_screen SHOT pixel X Y         prints RRGGBB
//   read_screen SHOT text X Y LENGTH   prints the red text found there
//   read_screen SHOT shows title VERSION | frame | prompt | route
//                                      exits 0 when it shows that
//   read_screen SHOT same OTHER         exits 0 when both hold the same pixels,
//                                      else says how many differ
//   read_screen SHOT panel SHOTS       prints "CANDIES DISTANCE SKILL" of the
//                                      game-over panel, and exits 1 (saying
//                                      why) when the panel, the status bar
//                                      and the shots fired disagree
//   read_screen SHOT straight STEPS    exits 0 when the snake ran straight on
//                                      from the start for STEPS steps: its
//                                      head is there, something else next
//   read_screen SHOT field OUT [black] finds the game's screen in a shot of a
//                                      window or a whole display, at a whole
//                                      scale k, its corner where the border's
//                                      is; prints "K LEFT TOP", writes it at
//                                      640 x 480 to OUT (a PPM); exits 1 when
//                                      there is none, and 3 (saying where)
//                                      unless every k x k block is one colour
//                                      and, with black, all around it black
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "present/present.h"
#include "screen.h"

// Big-endian 32-bit field of the dump's header.
static uint32_t be32(const std::vector<unsigned char> &d, size_t at)
{
    return (uint32_t)d[at] << 24 | d[at + 1] << 16 | d[at + 2] << 8 | d[at + 3];
}

// Loads a binary PPM (P6, 8 bits a channel) into a 32-bit bitmap.
static BITMAP *load_ppm(const std::vector<unsigned char> &d)
{
    std::string head(d.begin(), d.begin() + std::min<size_t>(d.size(), 64));
    unsigned width = 0, height = 0, depth = 0;
    int used = 0;
    if (sscanf(head.c_str(), "P6 %u %u %u%n", &width, &height, &depth, &used) != 3 || depth != 255)
        return nullptr;
    size_t pixels = (size_t)used + 1;  // one white-space byte ends the header
    if (pixels + (size_t)width * height * 3 > d.size())
        return nullptr;
    BITMAP *bmp = create_bitmap_ex(32, width, height);
    for (unsigned y = 0; y < height; y++)
        for (unsigned x = 0; x < width; x++) {
            const unsigned char *p = &d[pixels + ((size_t)y * width + x) * 3];
            putpixel(bmp, x, y, makecol32(p[0], p[1], p[2]));
        }
    return bmp;
}

// Loads a TrueColor window dump of 24 or 32 bits a pixel (a window's, or a
// whole display's), or a PPM, into a 32-bit bitmap.
static BITMAP *load_dump(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (d.size() > 2 && d[0] == 'P' && d[1] == '6')
        return load_ppm(d);
    if (d.size() < 100)
        return nullptr;
    uint32_t header = be32(d, 0), width = be32(d, 16), height = be32(d, 20);
    uint32_t byte_order = be32(d, 28), bits_per_pixel = be32(d, 44), line = be32(d, 48);
    uint32_t colors = be32(d, 76);
    size_t pixels = header + colors * 12;
    uint32_t bytes = bits_per_pixel / 8;
    if ((bytes != 3 && bytes != 4) || line < width * bytes || pixels + (size_t)line * height > d.size())
        return nullptr;
    BITMAP *bmp = create_bitmap_ex(32, width, height);
    for (uint32_t y = 0; y < height; y++)
        for (uint32_t x = 0; x < width; x++) {
            const unsigned char *p = &d[pixels + (size_t)y * line + x * bytes];
            uint32_t v = byte_order == 0 ? (p[0] | p[1] << 8 | p[2] << 16)
                                         : (p[bytes - 1] | p[bytes - 2] << 8 | p[bytes - 3] << 16);
            putpixel(bmp, x, y, makecol32((v >> 16) & 0xff, (v >> 8) & 0xff, v & 0xff));
        }
    return bmp;
}

static BITMAP *shot = nullptr;  // the screenshot read

// The colour at (x, y) is that colour index's.
static bool pixel_is(int x, int y, int color_index)
{
    return getpixel(shot, x, y) == makecol32(color_table.red[color_index], color_table.green[color_index],
                                             color_table.blue[color_index]);
}

// The red text at (x, y).
static std::string text_at(int x, int y, size_t length)
{
    return read_text(shot, x, y, (int)length, makecol32(255, 0, 0));
}

static bool text_is(int x, int y, const std::string &text)
{
    return text_at(x, y, text.size()) == text;
}

// The number printed after a label at (x, y) in a field of width characters.
static std::string number_after(int x, int y, const std::string &label, int width)
{
    std::string field = text_at(x + 8 * (int)label.size(), y, width);
    field.erase(std::remove(field.begin(), field.end(), ' '), field.end());
    return field;
}

// The title box's corner is magenta only on the title: on the playfield a
// candy or a block may cover it, but never in the frame's own colour.
static bool title_shown(const std::string &version)
{
    return text_is(text_x, title_name_y, "Vorlix version " + version) &&
           text_is(text_x, title_laser_y, "Laser with space") && pixel_is(0, 0, magenta) &&
           pixel_is(panel_left, title_top, magenta);
}

// The separator's end at column 638 lies outside every candy's reach.
static bool frame_shown()
{
    return pixel_is(border_right - 1, separator_y, magenta) && pixel_is(border_right, border_bottom, magenta) &&
           !pixel_is(panel_left, title_top, magenta) && text_is(candy_text_x, status_text_y, "Candy:        0");
}

static bool prompt_shown()
{
    return text_is(text_x, prompt_y, new_game_prompt) && pixel_is(panel_left, panel_top, magenta) &&
           pixel_is(panel_right, panel_bottom, magenta);
}

// Nothing lies on the first steps of the tests' scripted route from the
// start: two steps right, a turn up and two steps up, a shot, a turn right.
static bool route_clear()
{
    const int route[][2] = {{1, 0}, {2, 0}, {2, -1}, {2, -2}, {3, -2}, {4, -2}, {5, -2}};
    for (auto &step : route)
        if (!pixel_is(start_x + step[0], start_y + step[1], black))
            return false;
    return true;
}

// The snake ran straight on from the start for steps and stopped there: its
// head is the last pixel it drew, and the next one is what it ran into.
static bool ran_straight(int steps)
{
    return steps >= 1 && pixel_is(start_x + steps, start_y, red) && !pixel_is(start_x + steps + 1, start_y, black);
}

// Reads the game-over panel; says why and returns false when it disagrees
// with the status bar, the shots fired or the running skill's formula.
static bool panel_agrees(long shots_fired)
{
    std::string candies = number_after(text_x, panel_candy_y, "Candy points:    ", 6);
    std::string distance = number_after(text_x, panel_distance_y, "Distance points: ", 6);
    std::string skill = number_after(text_x, panel_skill_y, "Running skill:   ", 6);
    printf("%s %s %s\n", candies.c_str(), distance.c_str(), skill.c_str());
    const char *why = nullptr;
    long n = atol(candies.c_str()), d = atol(distance.c_str());
    char expected[32];
    snprintf(expected, sizeof expected, "%.2f",
             d == 0 || shots_fired == 0 ? 0.0 : 15.0 * n * n * n / ((double)d * shots_fired));
    if (number_after(candy_text_x, status_text_y, "Candy: ", 8) != candies)
        why = "the panel's candies differ from the status bar's";
    else if (number_after(shots_text_x, status_text_y, "Shots: ", 8) != std::to_string(shots_fired))
        why = "the status bar does not show the shots fired";
    else if (number_after(distance_text_x, status_text_y, "Distance: ", 8) != distance)
        why = "the panel's distance differs from the status bar's";
    else if (skill != expected)
        why = "the running skill does not follow from the counters";
    if (why)
        printf("%s\n", why);
    return !why;
}

// Writes a picture as a binary PPM.
static bool save_ppm(BITMAP *bmp, const char *path)
{
    FILE *out = fopen(path, "wb");
    if (!out)
        return false;
    fprintf(out, "P6\n%d %d\n255\n", bmp->w, bmp->h);
    for (int y = 0; y < bmp->h; y++)
        for (int x = 0; x < bmp->w; x++) {
            int c = getpixel(bmp, x, y);
            unsigned char rgb[3] = {(unsigned char)getr32(c), (unsigned char)getg32(c), (unsigned char)getb32(c)};
            fwrite(rgb, 1, 3, out);
        }
    return fclose(out) == 0;
}

// Finds the game's screen in the shot: its border's top row is the first run
// of the frame's colour as long as 640 of its pixels, at a whole scale
// (shorter runs, of a window's icon say, are not it).
// Writes it at 640 x 480 to out. Returns 0, or 1 when it is not there whole
// at a whole scale, or 3 (saying where) when its blocks are not each of one
// colour (or, with black_around, not all around it is black).
static int find_field(const char *out, bool black_around)
{
    const int frame = makecol32(color_table.red[magenta], color_table.green[magenta], color_table.blue[magenta]);
    int left = -1, top = -1, run = 0;
    for (int y = 0; y < shot->h && top < 0; y++)
        for (int x = 0; x < shot->w; x += run > 0 ? run : 1) {
            run = 0;
            while (x + run < shot->w && getpixel(shot, x + run, y) == frame)
                run++;
            if (run >= screen_w && run % screen_w == 0) {
                left = x, top = y;
                break;
            }
        }
    int k = run / screen_w;
    if (top < 0 || top + screen_h * k > shot->h) {
        printf("no whole field: no top row of it\n");
        return 1;
    }
    BITMAP *field = create_bitmap_ex(32, screen_w, screen_h);
    long mixed = 0, lit = 0;
    for (int y = 0; y < screen_h; y++)
        for (int x = 0; x < screen_w; x++) {
            int c = getpixel(shot, left + x * k, top + y * k);
            putpixel(field, x, y, c);
            for (int j = 0; j < k; j++)
                for (int i = 0; i < k; i++)
                    mixed += getpixel(shot, left + x * k + i, top + y * k + j) != c;
        }
    for (int y = 0; black_around && y < shot->h; y++)
        for (int x = 0; x < shot->w; x++)
            if ((x < left || x >= left + screen_w * k || y < top || y >= top + screen_h * k) &&
                getpixel(shot, x, y) != makecol32(0, 0, 0))
                lit++;
    printf("%d %d %d\n", k, left, top);
    if (mixed)
        printf("%ld pixels differ from the rest of their %d x %d block\n", mixed, k, k);
    if (lit)
        printf("%ld pixels around the field are not black\n", lit);
    bool saved = save_ppm(field, out);
    destroy_bitmap(field);
    return !saved ? 1 : mixed || lit ? 3 : 0;
}

// Tells how many pixels of the two pictures differ, the whole of a picture
// that the other lacks included.
static long pixels_differing(BITMAP *a, BITMAP *b)
{
    long differing = std::labs((long)a->w * a->h - (long)b->w * b->h);
    for (int y = 0; y < std::min(a->h, b->h); y++)
        for (int x = 0; x < std::min(a->w, b->w); x++)
            differing += getpixel(a, x, y) != getpixel(b, x, y);
    return differing;
}

int main(int argc, char **argv)
{
    if (argc < 4) {
        fprintf(stderr,
                "usage: %s SHOT pixel X Y | text X Y LENGTH | shows WHAT [VERSION] | same OTHER | panel SHOTS | "
                "straight STEPS | field OUT [black]\n",
                argv[0]);
        return 2;
    }
    start_test_screen();
    shot = load_dump(argv[1]);
    if (!shot) {
        fprintf(stderr, "%s: neither a 32-bit window dump nor a PPM\n", argv[1]);
        return 1;
    }
    std::string what = argv[2], arg = argv[3];
    int status = 0;
    if (what == "pixel" && argc > 4) {
        int c = getpixel(shot, atoi(argv[3]), atoi(argv[4]));
        printf("%02X%02X%02X\n", getr32(c), getg32(c), getb32(c));
    } else if (what == "text" && argc > 5) {
        printf("%s\n", text_at(atoi(argv[3]), atoi(argv[4]), atoi(argv[5])).c_str());
    } else if (what == "shows" && (arg != "title" || argc > 4)) {
        bool shown = arg == "title" ? title_shown(argv[4]) : arg == "frame" ? frame_shown()
                   : arg == "prompt" ? prompt_shown() : arg == "route" && route_clear();
        status = shown ? 0 : 1;
    } else if (what == "same") {
        BITMAP *other = load_dump(argv[3]);
        long differing = other ? pixels_differing(shot, other) : -1;
        if (differing != 0)
            printf("%ld pixels differ\n", differing);
        status = differing == 0 ? 0 : 1;
        if (other)
            destroy_bitmap(other);
    } else if (what == "panel") {
        status = panel_agrees(atol(argv[3])) ? 0 : 1;
    } else if (what == "straight") {
        status = ran_straight(atoi(argv[3])) ? 0 : 1;
    } else if (what == "field") {
        status = find_field(argv[3], argc > 4 && std::string(argv[4]) == "black");
    } else {
        status = 2;
    }
    destroy_bitmap(shot);
    fflush(stdout);
    return status;
}
END_OF_MAIN()
