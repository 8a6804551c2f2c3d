// The keyboard and the clock in the page. The game blocks in its waits; built
// with Asyncify, each sleep hands the page back to the browser, which shows
// the latest frame and delivers keys meanwhile.
#include <allegro.h>
#include <emscripten.h>
#include <emscripten/em_js.h>

#include "browser.h"
#include "present/clock.h"

namespace web {

static bool keyboard_on = false;  // keys from the page go to the buffer

// How long readkey gives the page between looks at an empty buffer.
constexpr double readkey_poll_ms = 1;

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
        sleep_until_ms(now_ms() + readkey_poll_ms);
    return take_key();
}

}  // namespace web

// The page hands over each key typed: the character in the low byte.
extern "C" EMSCRIPTEN_KEEPALIVE void vorlix_key(int key)
{
    if (web::keyboard_on)
        web::simulate_keypress(key);
}

// The page's clock never jumps; it counts from the page's start.
extern "C" double now_ms()
{
    return emscripten_get_now();
}

// Tells whether the page is hidden (another tab, a minimised window, a
// locked phone).
EM_JS(int, page_hidden, (), {
    return Module['pageHidden'] && Module['pageHidden']() ? 1 : 0;
});

// Gives the page back to the browser until it is shown again.
EM_ASYNC_JS(void, wait_until_shown, (), {
    await new Promise(function (shown) {
        document.addEventListener('visibilitychange', function seen() {
            if (Module['pageHidden']())
                return;
            document.removeEventListener('visibilitychange', seen);
            shown();
        });
    });
});

// Shows the frame and gives the page back to the browser until the deadline.
// A hidden page holds the game still in its wait: the time it was away is
// then far more than the pace makes up, so the game goes on from where it
// was, at its pace, without rushing.
extern "C" void sleep_until_ms(double deadline)
{
    web::show_screen();
    double left = deadline - emscripten_get_now();
    emscripten_sleep(left > 0 ? (unsigned)(left + 0.5) : 0);
    // Asked only when hidden: every asynchronous call unwinds the game's stack.
    if (page_hidden())
        wait_until_shown();
}
