// The part of the Allegro 4 library that the game uses, for the browser,
// with the library's own names and meanings: the screen is shown on the
// page's canvas, keys come from the page, and samples play through Web Audio.
#ifndef VORLIX_WEB_ALLEGRO_H
#define VORLIX_WEB_ALLEGRO_H

#include "../bitmap.h"
#include "../keys.h"
#include "../sample.h"
#include "../text.h"

namespace web {

// Graphics modes and sound drivers, numbered as in the library.
constexpr int GFX_AUTODETECT = 0;
constexpr int GFX_AUTODETECT_WINDOWED = 2;
constexpr int DIGI_AUTODETECT = -1;
constexpr int DIGI_NONE = 0;
constexpr int MIDI_AUTODETECT = -1;
constexpr int MIDI_NONE = 0;

struct RGB {
    unsigned char r, g, b, filler;  // 0..63 each, as the library keeps them
};
typedef RGB PALETTE[256];

extern BITMAP *screen;            // what the page shows; null until a mode is set
extern PALETTE default_palette;   // the stock palette (no colour of the game uses it)
// Room for the message of allegro_error, as in the library.
constexpr int ALLEGRO_ERROR_SIZE = 256;

extern char allegro_error[ALLEGRO_ERROR_SIZE];  // why the last call failed

// Starts the stand-in library; always succeeds in a browser.
int allegro_init();
// Stops the sounds and the keyboard and lets go of the screen.
void allegro_exit();
// Starts taking the page's keys, with an empty buffer.
int install_keyboard();
// Stops taking the page's keys and empties the buffer.
void remove_keyboard();
// Sets the colour depth of the next graphics mode.
void set_color_depth(int depth);
// Opens a screen of the given size on the page's canvas; 32-bit colour only.
int set_gfx_mode(int card, int w, int h, int v_w, int v_h);
// Sets the palette; at 32 bits it changes nothing on the screen.
void set_palette(const RGB *palette);
// Starts the sound through Web Audio, or no sound for DIGI_NONE.
int install_sound(int digi, int midi, const char *cfg_path);
// Stops every sample and the sound.
void remove_sound();
// Starts a sample: volume 0..255, pan 0 (left)..255 (right), frequency in
// thousandths of the sample's own. The page plays every sound once: the game
// makes each cue's sound to its length and never loops one, so loop is
// taken and left alone.
int play_sample(const SAMPLE *spl, int vol, int pan, int freq, int loop);
// Stops every playing copy of a sample.
void stop_sample(const SAMPLE *spl);
// Tells whether a key is waiting.
int keypressed();
// Waits for a key, giving the page back meanwhile, and takes it: the
// character in the low byte, and for Enter, Tab, the arrows and such the
// scan code above it.
int readkey();

}  // namespace web

using web::BITMAP;
using web::FONT;
using web::PALETTE;
using web::RGB;
using web::SAMPLE;

using web::ALLEGRO_ERROR_SIZE;
using web::DIGI_AUTODETECT;
using web::DIGI_NONE;
using web::GFX_AUTODETECT;
using web::GFX_AUTODETECT_WINDOWED;
using web::MIDI_AUTODETECT;
using web::MIDI_NONE;

using web::allegro_error;
using web::default_palette;
using web::font;
using web::screen;

using web::allegro_exit;
using web::allegro_init;
using web::create_sample;
using web::destroy_sample;
using web::getpixel;
using web::install_keyboard;
using web::install_sound;
using web::keypressed;
using web::line;
using web::load_sample;
using web::makecol;
using web::play_sample;
using web::putpixel;
using web::readkey;
using web::remove_keyboard;
using web::remove_sound;
using web::set_color_depth;
using web::set_gfx_mode;
using web::set_palette;
using web::stop_sample;
using web::textprintf_ex;

// The page calls main itself; there is no native entry point to supply.
#define END_OF_MAIN()

#endif
