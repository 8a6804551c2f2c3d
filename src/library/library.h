// What Linux (src/desktop) and Windows (src/windows) share, both on the real
// library: the game's field shown at a whole scale on the library's screen,
// the hold while the window has not the keyboard, and the clock that stands
// still meanwhile; and the little each of them supplies to it.
#ifndef VORLIX_LIBRARY_H
#define VORLIX_LIBRARY_H

// A rectangle of the display, in device pixels.
struct area_t {
    int x, y, w, h;
};

// ---- Shared (src/library) ----

// Opens the game's screen with the library's card: full, over a whole
// monitor, the field centred on it; or else in a window at the largest
// scale that fits the work area with the window's frame (frame_w, frame_h);
// each at the player's chosen scale where that fits. False when it cannot.
bool open_screen_on(int card, bool full, int chosen, area_t monitor, area_t work, int frame_w, int frame_h);
// Shows what the game drew since the last time; true when anything changed.
bool show_field();
// Watches the window lose the keyboard and get it back, from now on.
void watch_keyboard();
// Holds the game still and silent while its window has not the keyboard,
// and returns how long it held it, ms.
double hold_while_away();

// ---- Each supplies (src/desktop, src/windows) ----

// Returns the time in milliseconds on the machine's clock that never jumps.
double machine_now_ms();
// Returns once machine_now_ms() has reached deadline.
void sleep_until_machine_ms(double deadline);
// Lets the display take what was shown on the library's screen at once.
void send_to_display();
// Puts the sound outputs of the platform's own before the library's, for the
// library to try first.
void offer_sound_outputs();
// Tells whether the game's window has the keyboard; asked only after the
// library has said that it lost it (switched_in false) or got it back.
bool window_has_keyboard(bool switched_in);

#endif
