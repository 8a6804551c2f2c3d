// What the player sees and hears, and when: the colour table, the fixed
// screens, the four sound cues and the pace of the game's waits. Everything
// is drawn straight onto the visible screen, from the game's record
// (record/state.h); the rules above (game/game.h) call these routines, on
// the platform's clock (platform/platform.h).
#ifndef VORLIX_PRESENT_H
#define VORLIX_PRESENT_H

#include <allegro.h>
#include <cstdint>

#include "../platform/platform.h"
#include "../record/state.h"

// How long a wait for a key rests between two looks at the keyboard: a key
// is still answered at once to the eye, and a player who walks away costs
// the machine next to nothing.
constexpr double poll_pause_ms = 10;

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
// The question after each game, which the shell prints at (text_x, prompt_y).
constexpr char new_game_prompt[] = "New game (y/n)?";

// Fills the colour table.
void init_color_table();
// Returns the screen pixel value of a colour index.
int pixel_of(int color_index);

// Paints the whole screen in the background colour.
void clear_playfield();
// Paints the status rows above the separator in the background colour; the
// border columns 0 and 639 are left alone.
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

// Makes a cue's sound of exactly ms from a sample, looped when the sample is
// shorter and cut when it is longer, fading out over its last 2 ms; it takes
// the sample's place, and the sample itself is destroyed.
SAMPLE *fit_to_cue(SAMPLE *sample, int ms);
// The four sound cues; each holds the game for its whole duration.
void cue_start();  // rising chime as the title appears
void cue_candy();  // blip of a new candy
void cue_laser();  // zap of a laser shot
void cue_hit();    // crash as the snake dies

// Waits ms after the previous wait's end, or from now after a gap or a
// stall; every step, pause and cue goes through here, so that they keep
// their length over a game. A wait that woke late is made up by the waits
// that follow, which shrink, down to none at all.
void keep_pace(int ms);
// Waits ms from now, whole, however late the game is: a cue's sound lasts
// that long, and a wait made shorter would start the next sound over it.
// The pace goes on from its end.
void keep_pace_whole(int ms);
// Starts the pace afresh: the next wait counts from now (after a key wait).
void reset_pace();
// The step's pause once the head is drawn.
void pause_after_step();
// The laser's pause with its dots on the screen.
void pause_with_laser_dots();
// Rests poll_pause_ms between two polls of a key wait, so that waiting for
// the player costs next to nothing; it keeps no deadline and leaves the
// pace alone.
void pause_between_polls();

#endif
