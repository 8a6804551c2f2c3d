// Median work per step, waits excluded: the time between one step's pause
// and the next, with the snake mowing the field on a real bitmap.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <vector>

#include "fakes.h"
#include "game/game.h"
#include "present/present.h"
#include "screen.h"

namespace {

std::vector<double> step_us;
timespec last_wait;

double since(const timespec &t)
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (now.tv_sec - t.tv_sec) * 1e6 + (now.tv_nsec - t.tv_nsec) / 1e3;
}

// Each step ends in its pause; the time from one to the next is the step.
void time_steps(const std::string &what)
{
    if (what != "pause_after_step")
        return;
    if (last_wait.tv_sec)
        step_us.push_back(since(last_wait));
    clock_gettime(CLOCK_MONOTONIC, &last_wait);
}

// Steers a square spiral-free lap: right, down, left, up, and fires now and then.
int lap_player()
{
    const game_state_t &g = game_state;
    if (g.dir_x == 1 && g.head_x >= 600) return 'l';
    if (g.dir_y == 1 && g.head_y >= 440) return 'l';
    if (g.dir_x == -1 && g.head_x <= 40) return 'l';
    if (g.dir_y == -1 && g.head_y <= 60) return 'l';
    return g.distance % 97 == 0 ? ' ' : 0;
}

void BM_step_work(benchmark::State &state)
{
    start_test_screen();
    for (auto _ : state) {
        reset_fakes();
        fake_machine.record_events = false;
        fake_machine.player = lap_player;
        fake_machine.watcher = time_steps;
        step_us.clear();
        last_wait = timespec();
        rng_state.rng_seed = -7;
        game_state.bg_color = 0;
        reset_game();
        clear_playfield();
        draw_game_frame();
        place_candy();
        char last_key = 'y';
        int game_over = 0;
        play_game(last_key, game_over);
    }
    std::sort(step_us.begin(), step_us.end());
    state.counters["steps"] = (double)step_us.size();
    state.counters["median_us"] = step_us.empty() ? 0 : step_us[step_us.size() / 2];
    state.counters["p99_us"] = step_us.empty() ? 0 : step_us[step_us.size() * 99 / 100];
}
BENCHMARK(BM_step_work)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
