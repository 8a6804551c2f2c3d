// The library's key buffer for the browser: keys wait in the order typed,
// and a full buffer drops the newest, as the library's does.
#ifndef VORLIX_WEB_KEYS_H
#define VORLIX_WEB_KEYS_H

namespace web {

// Puts a key in the buffer, as readkey will give it: the character in the
// low byte, and for Enter, Tab, the arrows and such the scan code above it.
// A full buffer drops it.
void simulate_keypress(int key);
// Tells whether a key is waiting.
bool key_waiting();
// Takes the oldest key from the buffer; 0 when none is waiting.
int take_key();
// Empties the buffer.
void clear_keybuf();

}  // namespace web

#endif
