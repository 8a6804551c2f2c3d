// How soon a step's pixels reach the window, at each whole scale: the head
// drawn and the tail erased on the game's screen, then shown on the library's
// screen at that scale and sent to the X server, until the server has them
// (a round trip to it); and what a wait costs that finds nothing to show, as
// at the title, where the game looks every 10 ms. Needs an X display that
// holds the window at 4 (3840 x 2160).
#include <benchmark/benchmark.h>

#include <allegro.h>
#include <xalleg.h>

#include "library/library.h"
#include "platform/platform.h"
#include "present/present.h"

namespace {

// Opens the game's window at scale, its field black and shown.
void open_window_at(int scale)
{
    allegro_init();
    set_color_depth(32);
    if (!open_screen(GFX_AUTODETECT_WINDOWED, scale) || SCREEN_W != 640 * scale)
        abort();
    init_color_table();
    show_field();
}

// Waits until the X server has all that was sent to it.
void until_the_server_has_it()
{
    XLOCK();
    XSync(_xwin.display, False);
    XUNLOCK();
}

void BM_a_step_reaches_the_window(benchmark::State &state)
{
    open_window_at((int)state.range(0));
    int head = 100, snake = pixel_of(red), background = pixel_of(black);
    for (auto _ : state) {
        putpixel(screen, head, 240, snake);
        putpixel(screen, head - 50, 240, background);
        head = head < 600 ? head + 1 : 100;
        show_field();
        send_to_display();
        until_the_server_has_it();
    }
    allegro_exit();
}
BENCHMARK(BM_a_step_reaches_the_window)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

void BM_a_wait_with_nothing_to_show(benchmark::State &state)
{
    open_window_at((int)state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(show_field());
    allegro_exit();
}
BENCHMARK(BM_a_wait_with_nothing_to_show)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
