// The laser: a row of dots straight ahead of the head that scores any candy
// it lands on, then a wipe that cuts a one-pixel channel through the span.
#include "../present/present.h"
#include "game.h"

// Tells whether a dot at (x, y), walking in direction (dx, dy), still stays a
// whole stride clear of the border and, upwards, of the status rows.
static bool dot_in_field(int x, int y, int dx, int dy)
{
    int stride = game_state.laser_step;
    if (dx > 0)
        return x <= border_right - 1 - stride;
    if (dx < 0)
        return x >= stride + 1;
    if (dy > 0)
        return y <= border_bottom - 1 - stride;
    return y >= stride + status_bottom;
}

void fire_laser()
{
    game_state_t &g = game_state;
    g.shots++;
    draw_status_bar();
    int bg = pixel_of(g.bg_color);
    int candy = pixel_of(g.candy_color);
    int laser = pixel_of(g.laser_color);

    // Step from the pixel next to the head in the direction of travel.
    int first_x = g.head_x + g.dir_x, first_y = g.head_y + g.dir_y;
    int x = first_x, y = first_y;
    int last_x = 0, last_y = 0;
    bool drawn = false;
    while (dot_in_field(x, y, g.dir_x, g.dir_y)) {
        // The walk goes on after a hit: a new candy further along can be hit too.
        if (getpixel(screen, x, y) == candy)
            place_candy();
        putpixel(screen, x, y, laser);
        last_x = x;
        last_y = y;
        drawn = true;
        x += g.dir_x * g.laser_step;
        y += g.dir_y * g.laser_step;
    }
    pause_with_laser_dots();
    if (drawn)
        line(screen, last_x, last_y, first_x, first_y, bg);
    cue_laser();
}
