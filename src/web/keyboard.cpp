// The keyboard in the page: the page hands over each key typed, and the game
// reads them from the buffer as it would from the library's.
#include <allegro.h>
#include <emscripten.h>
#include <emscripten/em_js.h>

#include "present/present.h"

namespace web {

static bool keyboard_on = false;  // keys from the page go to the buffer

int install_keyboard()
{
    clear_keybuf();
    keyboard_on = true;
    return 0;
}

void remove_keyboard()
{
    keyboard_on = false;
    clear_keybuf();
}

int keypressed()
{
    return key_waiting();
}

int readkey()
{
    while (!key_waiting())
        sleep_until_ms(now_ms() + poll_pause_ms);
    return take_key();
}

}  // namespace web

// The page hands over each key typed: the character in the low byte.
extern "C" EMSCRIPTEN_KEEPALIVE void vorlix_key(int key)
{
    if (web::keyboard_on)
        web::simulate_keypress(key);
}

// The page says in words what the game waits for (Module.onAwaited).
EM_JS(void, tell_awaited, (int awaited), {
    if (Module['onAwaited'])
        Module['onAwaited'](awaited);
});
