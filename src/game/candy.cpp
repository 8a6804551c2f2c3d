// The candy: a filled square that the laser scores and the snake must avoid.
#include "../present/present.h"
#include "game.h"

// Fills the square at the candy's current corner, column by column.
static void fill_candy_square(int color)
{
    game_state_t &g = game_state;
    for (int x = g.candy_x; x <= g.candy_x + g.candy_size; x++)
        line(screen, x, g.candy_y, x, g.candy_y + g.candy_size, color);
}

void place_candy()
{
    fill_candy_square(pixel_of(game_state.block_color));
    pick_candy_position();
    // The new square paints over whatever lies there, the snake included.
    fill_candy_square(pixel_of(game_state.candy_color));
    game_state.candy_count++;
    draw_status_bar();
    cue_candy();
}
