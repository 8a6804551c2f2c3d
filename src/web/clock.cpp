// The clock in the page. The game blocks in its waits; built with Asyncify,
// each sleep hands the page back to the browser, which shows the latest
// frame and delivers keys meanwhile.
#include <emscripten.h>
#include <emscripten/em_js.h>

#include "browser.h"
#include "platform/platform.h"

extern "C" double now_ms()
{
    // The page's clock, which counts from the page's start.
    return emscripten_get_now();
}

// Tells whether the page holds the game still: it is hidden (another tab, a
// minimised window, a locked phone) or has not the keyboard (Module.pageHeld).
EM_JS(int, page_held, (), {
    return Module['pageHeld'] && Module['pageHeld']() ? 1 : 0;
});

// Gives the page back to the browser until it lets the game go on
// (Module.whenGoingOn).
EM_ASYNC_JS(void, wait_until_going_on, (), {
    await Module['whenGoingOn']();
});

extern "C" void sleep_until_ms(double deadline)
{
    // Shows the frame and gives the page back to the browser until the
    // deadline. A page that holds the game keeps it still in its wait: the
    // time it was held is then far more than the pace makes up, so the game
    // goes on from where it was, at its pace, without rushing.
    web::show_screen();
    double left = deadline - emscripten_get_now();
    emscripten_sleep(left > 0 ? (unsigned)(left + 0.5) : 0);
    // Waited for only when held: every asynchronous call unwinds the game's stack.
    if (page_held())
        wait_until_going_on();
}
