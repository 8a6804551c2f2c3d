// How long 300 real steps take in a real window, with the game's own paced
// waits, against 300 of the step's pause the game intends. Needs an X display.
#include <benchmark/benchmark.h>

#include <allegro.h>
#include <ctime>

#include "game/game.h"
#include "present/present.h"

namespace {

const int steps = 300;
int polls;
timespec first_poll, last_poll;

// The step loop polls once per step: the 1st and the 301st poll are 300 steps apart.
extern "C" int __wrap_keypressed()
{
    polls++;
    if (polls == 1)
        clock_gettime(CLOCK_MONOTONIC, &first_poll);
    if (polls == steps + 1)
        clock_gettime(CLOCK_MONOTONIC, &last_poll);
    return 0;
}
extern "C" int __wrap_readkey() { return 0; }

void BM_300_steps_in_a_window(benchmark::State &state)
{
    double total_ms = 0, slowest_ms = 0;
    for (auto _ : state) {
        polls = 0;
        game_state.bg_color = 0;
        reset_game();
        game_state.head_x = 20;  // a clear run of 600 pixels to the right
        game_state.candy_x = 600;
        game_state.candy_y = 400;
        clear_playfield();
        draw_game_frame();
        char last_key = 'y';
        int game_over = 0;
        reset_pace();  // as after the key that starts a game
        play_game(last_key, game_over);
        double ms = (last_poll.tv_sec - first_poll.tv_sec) * 1e3 +
                    (last_poll.tv_nsec - first_poll.tv_nsec) / 1e6;
        state.SetIterationTime(ms / 1e3);
        total_ms += ms;
        slowest_ms = ms > slowest_ms ? ms : slowest_ms;
    }
    double mean = total_ms / state.iterations();
    state.counters["ms_per_300_steps"] = mean;
    state.counters["vs_intended_pct"] = (mean / (steps * (double)step_delay_ms) - 1.0) * 100.0;
    state.counters["slowest_ms"] = slowest_ms;
}
BENCHMARK(BM_300_steps_in_a_window)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    if (allegro_init() != 0) {
        fprintf(stderr, "step_pace needs an X display\n");
        return 1;
    }
    install_keyboard();
    set_color_depth(32);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, screen_w, screen_h, 0, 0) < 0) {
        fprintf(stderr, "step_pace: no 640 x 480 window\n");
        return 1;
    }
    init_color_table();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    allegro_exit();
    return 0;
}
