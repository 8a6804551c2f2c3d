// A real 32-bit Allegro bitmap standing in for the screen, and small readers
// that check what the game drew on it.
#ifndef VORLIX_TEST_SCREEN_H
#define VORLIX_TEST_SCREEN_H

#include <allegro.h>
#include <string>

// Starts the library without a display and makes a 640 x 480 screen bitmap.
void start_test_screen();
// Fills the screen with one colour index.
void fill_screen(int color_index);
// Returns the pixel value of a colour index.
int color(int color_index);
// Counts the pixels of one colour index in a rectangle, both corners included.
int count_color(int left, int top, int right, int bottom, int color_index);
// Reads the characters of the built-in font drawn in one colour at (x, y).
std::string read_text(BITMAP *bmp, int x, int y, int length, int pixel);
// The same, on the screen in a colour index.
std::string screen_text(int x, int y, int length, int color_index);

#endif
