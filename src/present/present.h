// What the player sees and hears, and when: the colour table, the fixed
// screens, the four sound cues and the pace that every wait of the game keeps.
// Everything is drawn straight onto the visible screen.
#ifndef VORLIX_PRESENT_H
#define VORLIX_PRESENT_H

#include <allegro.h>
#include <cstdint>

#include "clock.h"

// Number of entries in the colour table.
constexpr int color_count = 17;

// The entries of the colour table that the game's colour roles use.
constexpr int black = 0;
constexpr int white = 1;
constexpr int red = 2;
constexpr int green = 3;
constexpr int blue = 4;
constexpr int magenta = 5;

// Colour index -> red, green, blue (0..255 each); filled once at start-up.
struct color_table_t {
    int32_t red[color_count];
    int32_t green[color_count];
    int32_t blue[color_count];
};

extern color_table_t color_table;  // the game's seventeen colours

extern SAMPLE *spl_start;  // rising chime at the title
extern SAMPLE *spl_laser;  // zap of a laser shot
extern SAMPLE *spl_candy;  // blip of a new candy
extern SAMPLE *spl_hit;    // crash at game over

// How long each cue holds the game, ms.
constexpr int cue_start_ms = 225;
constexpr int cue_candy_ms = 50;
constexpr int cue_laser_ms = 32;
constexpr int cue_hit_ms = 300;

// The centre panel of the game-over screen and the title box inside it.
constexpr int panel_left = 210, panel_right = 419;
constexpr int panel_top = 180, panel_bottom = 269;
constexpr int title_top = 190, title_bottom = 259;

// Where the screens print. The three counters share the status row; every
// line of the title and of the panel starts at text_x.
constexpr int status_text_y = 6;
constexpr int candy_text_x = 20, shots_text_x = 220, distance_text_x = 420;
constexpr int text_x = 220;
constexpr int title_name_y = 200, title_steer_y = 220, title_laser_y = 240;
constexpr int panel_candy_y = 190, panel_distance_y = 210, panel_skill_y = 230;
constexpr int prompt_y = 250;

// Fills the colour table.
void init_color_table();
// Returns the screen pixel value of a colour index.
int pixel_of(int color_index);

// Paints the whole screen in the background colour.
void clear_playfield();
// Paints the status rows above the separator in the background colour.
void clear_status_rows();
// Paints the centre panel in the background colour.
void clear_panel();
// Outlines the centre panel.
void draw_panel_box();
// Outlines the title box and the screen border.
void draw_title_frames();
// Shows the three counters in the status rows.
void draw_status_bar();
// Draws the status bar, the border and the separator of a game.
void draw_game_frame();
// Shows the title screen and plays the start chime.
void show_title();
// Works out the running skill, shows the game-over panel and plays the crash.
void show_game_over();

// Makes a cue's sound of exactly ms from a sample, in the sample's place.
SAMPLE *fit_to_cue(SAMPLE *sample, int ms);
// The four sound cues; each holds the game for its whole duration.
void cue_start();
void cue_candy();
void cue_laser();
void cue_hit();

// Waits ms after the previous wait's end, or from now after a gap; every
// wait of the game goes through here, so steps and cues keep their length.
void keep_pace(int ms);
// Starts the pace afresh: the next wait counts from now (after a key wait).
void reset_pace();
// The step's pause once the head is drawn.
void pause_after_step();
// The laser's pause with its dots on the screen.
void pause_with_laser_dots();
// Rests a moment between two polls of a key wait, so that waiting for the
// player costs next to nothing.
void pause_between_polls();

#endif
