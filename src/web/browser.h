// What the parts of the browser layer share: the screen's upload to the
// canvas, and the page's side of the layer (canvas.js and audio.js), which
// the game reaches through these imports.
#ifndef VORLIX_WEB_BROWSER_H
#define VORLIX_WEB_BROWSER_H

#include <cstdint>

extern "C" {
// canvas.js: sizes the page's canvas, and copies a drawn area onto it.
void vorlix_open_canvas(int width, int height);
void vorlix_show(const uint32_t *rgba, int width, int height, int left, int top, int right, int bottom);
// audio.js: Web Audio, and one sample's playing copies.
int vorlix_sound_available();
void vorlix_play(const void *spl, const void *data, int frames, int bits, int stereo, int freq, int vol,
                 int pan, int speed);
void vorlix_stop(const void *spl);
void vorlix_stop_all();
}

namespace web {

// Shows on the canvas what the game drew since the last time (canvas.cpp).
void show_screen();
// Lets go of the screen and its canvas copy (canvas.cpp).
void close_screen();

}  // namespace web

#endif
