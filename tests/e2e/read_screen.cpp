// Reads a screenshot of the game back for the window and page tests: an X
// window dump, or the page's canvas saved as a binary PPM. It tells a
// pixel's colour, or the text drawn there in the built-in font.
//   read_screen SHOT pixel X Y         prints RRGGBB
//   read_screen SHOT text X Y LENGTH   prints the red text found there
#include <algorithm>
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

// Loads a 24- or 32-bit TrueColor window dump, or a PPM, into a 32-bit bitmap.
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
    if (bits_per_pixel != 32 || pixels + (size_t)line * height > d.size())
        return nullptr;
    BITMAP *bmp = create_bitmap_ex(32, width, height);
    for (uint32_t y = 0; y < height; y++)
        for (uint32_t x = 0; x < width; x++) {
            const unsigned char *p = &d[pixels + (size_t)y * line + x * 4];
            uint32_t v = byte_order == 0 ? (p[0] | p[1] << 8 | p[2] << 16)
                                         : (p[3] | p[2] << 8 | p[1] << 16);
            putpixel(bmp, x, y, makecol32((v >> 16) & 0xff, (v >> 8) & 0xff, v & 0xff));
        }
    return bmp;
}

int main(int argc, char **argv)
{
    if (argc < 5) {
        fprintf(stderr, "usage: %s SHOT pixel X Y | text X Y LENGTH\n", argv[0]);
        return 2;
    }
    start_test_screen();
    BITMAP *shot = load_dump(argv[1]);
    if (!shot) {
        fprintf(stderr, "%s: neither a 32-bit window dump nor a PPM\n", argv[1]);
        return 1;
    }
    std::string what = argv[2];
    int x = atoi(argv[3]), y = atoi(argv[4]);
    if (what == "pixel") {
        int c = getpixel(shot, x, y);
        printf("%02X%02X%02X\n", getr32(c), getg32(c), getb32(c));
    } else if (what == "text" && argc > 5) {
        printf("%s\n", read_text(shot, x, y, atoi(argv[5]), makecol32(255, 0, 0)).c_str());
    } else {
        destroy_bitmap(shot);
        return 2;
    }
    destroy_bitmap(shot);
    fflush(stdout);
    return 0;
}
END_OF_MAIN()
