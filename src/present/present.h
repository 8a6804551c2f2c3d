// What the player sees and hears: the colour table, the fixed screens and the
// four sound cues. Everything is drawn straight onto the visible screen.
#ifndef VORLIX_PRESENT_H
#define VORLIX_PRESENT_H

#include <allegro.h>
#include <cstdint>

// Number of entries in the colour table.
constexpr int color_count = 17;

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

// Where the game-over panel's prompt line goes.
constexpr int prompt_x = 220;
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

// The clock under the pace, in milliseconds; each platform supplies both.
extern "C" double now_ms();                    // a clock that never jumps
extern "C" void sleep_until_ms(double deadline);  // returns once now_ms() reaches deadline

#endif
