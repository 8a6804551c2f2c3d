// Writes the glyph table of the library's built-in 8 x 8 font as C++ source,
// for the browser build, which has no library to ask. Each character is
// drawn by the library on a memory bitmap and read back row by row.
//   make_glyphs > glyphs.cpp
#include <allegro.h>
#include <cstdio>

int main()
{
    // No display is needed to draw on a memory bitmap.
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        fprintf(stderr, "make_glyphs: the library did not start\n");
        return 1;
    }
    BITMAP *cell = create_bitmap_ex(8, 8, 8);
    printf("// Made by tools/make_glyphs from the library's built-in font; do not edit.\n");
    printf("#include \"text.h\"\n\nnamespace web {\n\n");
    printf("const unsigned char font_glyphs[last_glyph - first_glyph + 1][8] = {\n");
    for (int code = 32; code <= 255; code++) {
        char text[8];
        usetc(text + usetc(text, code), 0);  // the character in the library's UTF-8
        clear_to_color(cell, 0);
        textout_ex(cell, font, text, 0, 0, 1, -1);
        printf("    {");
        for (int row = 0; row < 8; row++) {
            int bits = 0;
            for (int col = 0; col < 8; col++)
                if (getpixel(cell, col, row))
                    bits |= 0x80 >> col;
            printf("0x%02x%s", bits, row < 7 ? ", " : "");
        }
        printf("},  // %d\n", code);
    }
    printf("};\n\n}  // namespace web\n");
    destroy_bitmap(cell);
    fflush(stdout);
    return 0;
}
END_OF_MAIN()
