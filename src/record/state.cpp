// The current game's record and how each game starts.
#include "state.h"

game_state_t game_state;

// The candy square's corner is drawn so that the whole square lies inside the
// border, in columns 1..637 and rows separator_y..478; its top row may lie on
// the separator.
constexpr double candy_span_x = border_right - 2;              // 637
constexpr double candy_span_y = border_bottom - separator_y;  // 464
constexpr double candy_min_x = 1.0;
constexpr double candy_min_y = separator_y;

void pick_candy_position()
{
    game_state.candy_x = (int32_t)((candy_span_x - game_state.candy_size) * next_random() + candy_min_x);
    game_state.candy_y = (int32_t)((candy_span_y - game_state.candy_size) * next_random() + candy_min_y);
}

void reset_game()
{
    game_state_t &g = game_state;
    g.head_x = start_x;
    g.head_y = start_y;
    g.dir_x = 1;
    g.dir_y = 0;
    g.trail_pos = 1;
    g.trail_size = 2;
    g.laser_step = laser_stride;
    g.candy_count = -1;  // the placement at game start brings it to 0
    g.shots = 0;
    g.distance = 0;
    g.candy_size = start_candy_size;
    g.laser_color = red;
    g.frame_color = magenta;
    g.snake_color = red;
    g.candy_color = blue;
    g.block_color = green;
    g.text_color = red;
    g.step_delay = step_delay_ms;
    g.laser_delay = laser_delay_ms;
    pick_candy_position();
}

void clear_trail()
{
    for (int i = 1; i <= trail_slots; i++) {
        game_state.trail_x[i] = 0;
        game_state.trail_y[i] = 0;
    }
}

void seed_trail()
{
    game_state.trail_pos = 1;
    game_state.trail_x[1] = game_state.head_x;
    game_state.trail_y[1] = game_state.head_y;
}
