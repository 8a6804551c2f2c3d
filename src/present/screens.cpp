// The fixed screens: title, game frame, status bar and game-over panel. Each
// routine paints its own area with fixed coordinates and leaves the rest of
// the screen as it is.
#include "present.h"

#include "version.h"

// Draws the outline of a rectangle, corner to corner, clockwise from top-left.
static void draw_box(int left, int top, int right, int bottom, int color)
{
    line(screen, left, top, right, top, color);
    line(screen, right, top, right, bottom, color);
    line(screen, right, bottom, left, bottom, color);
    line(screen, left, bottom, left, top, color);
}

// Paints rows top..bottom of columns left..right in the background colour.
static void clear_rows(int left, int top, int right, int bottom)
{
    int bg = pixel_of(game_state.bg_color);
    for (int y = top; y <= bottom; y++)
        line(screen, left, y, right, y, bg);
}

void clear_playfield()
{
    int bg = pixel_of(game_state.bg_color);
    for (int x = 0; x <= border_right; x++)
        line(screen, x, 0, x, border_bottom, bg);
}

void clear_status_rows()
{
    clear_rows(1, status_top, border_right - 1, status_bottom);
}

void clear_panel()
{
    clear_rows(panel_left, panel_top, panel_right, panel_bottom);
}

void draw_panel_box()
{
    draw_box(panel_left, panel_top, panel_right, panel_bottom, pixel_of(game_state.frame_color));
}

void draw_title_frames()
{
    int frame = pixel_of(game_state.frame_color);
    draw_box(panel_left, title_top, panel_right, title_bottom, frame);
    draw_box(0, 0, border_right, border_bottom, frame);
}

void draw_status_bar()
{
    clear_status_rows();
    int text = pixel_of(game_state.text_color);
    textprintf_ex(screen, font, candy_text_x, status_text_y, text, -1, "Candy: %8ld",
                  (long)game_state.candy_count);
    textprintf_ex(screen, font, shots_text_x, status_text_y, text, -1, "Shots: %8ld",
                  (long)game_state.shots);
    textprintf_ex(screen, font, distance_text_x, status_text_y, text, -1, "Distance: %8ld",
                  (long)game_state.distance);
}

void draw_game_frame()
{
    draw_status_bar();
    int frame = pixel_of(game_state.frame_color);
    draw_box(0, 0, border_right, border_bottom, frame);
    line(screen, 0, separator_y, border_right, separator_y, frame);
}

void show_title()
{
    draw_title_frames();
    int text = pixel_of(game_state.text_color);
    textprintf_ex(screen, font, text_x, title_name_y, text, -1, "Vorlix version %s", game_version);
    textprintf_ex(screen, font, text_x, title_steer_y, text, -1, "%s", "Steer with s and l");
    textprintf_ex(screen, font, text_x, title_laser_y, text, -1, "%s", "Laser with space");
    cue_start();
}

// Works out the final score: candies cubed, weighted, per step and per shot.
static double running_skill_of(int32_t candies, int32_t distance, int32_t shots)
{
    if (distance == 0 || shots == 0)
        return 0.0;
    double n = candies, d = distance, s = shots;
    return ((15.0 * n) * n) * n / (d * s);
}

void show_game_over()
{
    game_state_t &g = game_state;
    draw_status_bar();
    g.running_skill = running_skill_of(g.candy_count, g.distance, g.shots);
    clear_panel();
    draw_panel_box();
    int text = pixel_of(g.text_color);
    textprintf_ex(screen, font, text_x, panel_candy_y, text, -1, "Candy points:    %6ld", (long)g.candy_count);
    textprintf_ex(screen, font, text_x, panel_distance_y, text, -1, "Distance points: %6ld", (long)g.distance);
    textprintf_ex(screen, font, text_x, panel_skill_y, text, -1, "Running skill:   %6.2lf", g.running_skill);
    cue_hit();
}
