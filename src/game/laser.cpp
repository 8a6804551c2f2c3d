// The laser: a row of dots straight ahead of the head that scores any candy
// it lands on, then a wipe that cuts a one-pixel channel through the span.
#include "../present/present.h"
#include "game.h"

// The dots stay clear of the border and of the separator above the field.
constexpr int last_dot_right = screen_w - 2;   // 638, less one stride
constexpr int last_dot_down = screen_h - 2;    // 478, less one stride
constexpr int first_field_row = 14;            // upward dots stop a stride below

// Tells whether a dot at (x, y), walking in direction (dx, dy), is still
// far enough from the border and the separator.
static bool dot_in_field(int x, int y, int dx, int dy)
{
    int stride = game_state.laser_step;
    if (dx > 0)
        return x <= last_dot_right - stride;
    if (dx < 0)
        return x >= stride + 1;
    if (dy > 0)
        return y <= last_dot_down - stride;
    return y >= stride + first_field_row;
}

// Fires the laser straight ahead of the head.
void fire_laser()
{
    game_state_t &g = game_state;
    g.shots++;
    draw_status_bar();
    int bg = pixel_of(g.bg_color);
    int candy = pixel_of(g.candy_color);
    int laser = pixel_of(g.laser_color);

    // Step from the pixel next to the head in the direction of travel.
    int dx = 0, dy = 0;
    if (g.dir_x >= 1)
        dx = 1;
    else if (g.dir_x <= -1)
        dx = -1;
    else if (g.dir_y >= 1)
        dy = 1;
    else
        dy = -1;
    int first_x = g.head_x + dx, first_y = g.head_y + dy;
    int x = first_x, y = first_y;
    int last_x = 0, last_y = 0;
    bool drawn = false;
    while (dot_in_field(x, y, dx, dy)) {
        // The walk goes on after a hit: a new candy further along can be hit too.
        if (getpixel(screen, x, y) == candy)
            place_candy();
        putpixel(screen, x, y, laser);
        last_x = x;
        last_y = y;
        drawn = true;
        x += dx * g.laser_step;
        y += dy * g.laser_step;
    }
    keep_pace(g.laser_delay);
    if (drawn)
        line(screen, last_x, last_y, first_x, first_y, bg);
    cue_laser();
}
