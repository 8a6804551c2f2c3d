// The current game's record and how each game starts.
#include "game.h"

game_state_t game_state;

// The candy square's corner stays within columns 1.. and rows 15.., leaving
// room for its size inside the border.
constexpr double candy_span_x = 637.0;
constexpr double candy_span_y = 464.0;
constexpr double candy_min_x = 1.0;
constexpr double candy_min_y = 15.0;

// Draws the candy's next top-left corner at random, inside the border.
void pick_candy_position()
{
    game_state.candy_x = (int32_t)((candy_span_x - game_state.candy_size) * next_random() + candy_min_x);
    game_state.candy_y = (int32_t)((candy_span_y - game_state.candy_size) * next_random() + candy_min_y);
}

// Sets every field to its start-of-game value and picks the first candy spot.
void reset_game()
{
    game_state_t &g = game_state;
    g.head_x = start_x;
    g.head_y = start_y;
    g.dir_x = 1;
    g.dir_y = 0;
    g.trail_pos = 1;
    g.trail_size = 2;
    g.laser_step = 4;
    g.candy_count = -1;  // the placement at game start brings it to 0
    g.shots = 0;
    g.distance = 0;
    g.candy_size = start_candy_size;
    g.laser_color = 2;
    g.frame_color = 5;
    g.snake_color = 2;
    g.candy_color = 4;
    g.block_color = 3;
    g.text_color = 2;
    g.step_delay = 8;
    g.laser_delay = 16;
    pick_candy_position();
}
