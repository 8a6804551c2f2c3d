// The game's record: the field's geometry, the current game's state and the
// random numbers. It is the lowest floor of the game: the screens and cues
// (present) draw and sound what it holds, and the rules (game) move it on.
// The snake, the blocks and the candy themselves live only as pixels on the
// screen; this record holds positions, counters, colour roles and timings.
#ifndef VORLIX_STATE_H
#define VORLIX_STATE_H

#include <cstdint>

// Size of the playfield screen in pixels.
constexpr int screen_w = 640;
constexpr int screen_h = 480;

// The border runs along columns 0 and border_right and rows 0 and
// border_bottom; during a game the separator row closes off the status rows
// above the field.
constexpr int border_right = screen_w - 1;   // 639
constexpr int border_bottom = screen_h - 1;  // 479
constexpr int status_top = 1;
constexpr int status_bottom = 14;
constexpr int separator_y = status_bottom + 1;  // 15

// Slots 1..trail_slots of the trail ring hold past head positions; slot 0 is unused.
constexpr int trail_slots = 20000;

// How every game starts: where, the candy square's size, the laser's stride
// and the two pauses of play.
constexpr int start_x = 320;
constexpr int start_y = 240;
constexpr int start_candy_size = 24;
constexpr int laser_stride = 4;     // pixels between the laser's dots
constexpr int step_delay_ms = 8;    // pause after each step
constexpr int laser_delay_ms = 16;  // pause while the laser's dots show

// The colour indices the game's colour roles take; the colour table
// (present) gives each its red, green and blue.
constexpr int black = 0;
constexpr int white = 1;
constexpr int red = 2;
constexpr int green = 3;
constexpr int blue = 4;
constexpr int magenta = 5;

// Everything the game knows about the current game apart from the screen.
struct game_state_t {
    int32_t head_x, head_y;            // the snake's head
    int32_t dir_x, dir_y;              // step per move: one is -1 or +1, the other 0
    int32_t trail_x[trail_slots + 1];  // past head positions, x (0 marks an empty slot)
    int32_t trail_y[trail_slots + 1];  // past head positions, y
    int32_t trail_pos;                 // slot the next head position is written to
    int32_t trail_size;                // slots 1..trail_size-1 are in play
    int32_t candy_x, candy_y;          // top-left pixel of the candy square
    int32_t candy_size;                // the square spans candy_size+1 pixels each way
    int32_t candy_count;               // candies scored this game
    int32_t shots;                     // laser shots fired this game
    int32_t distance;                  // steps survived this game
    int32_t laser_step;                // pixels between the laser's dots
    int32_t step_delay;                // pause after each step, ms
    int32_t laser_delay;               // pause while the laser's dots show, ms
    int32_t bg_color;                  // colour index of the background, from the configuration
    int32_t snake_color;               // colour index of the snake
    int32_t laser_color;               // colour index of the laser's dots
    int32_t text_color;                // colour index of all text
    int32_t frame_color;               // colour index of borders, separator, panel boxes
    int32_t candy_color;               // colour index of the candy
    int32_t block_color;               // colour index of a scored or moved candy's block
    double running_skill;              // final score, worked out at game over
};

// State of the combined generator with its shuffle table.
struct rng_state_t {
    int32_t rng_seed = 0;            // first generator; <= 0 asks for initialisation
    int32_t rng_seed2 = 123456789;   // second generator
    int32_t rng_table[32] = {};      // shuffle table
    int32_t rng_last = 0;            // previous output, picks the next table slot
};

extern game_state_t game_state;  // the current game
extern rng_state_t rng_state;    // the program's only source of randomness

// Sets the game's position, counters, colours and timings to their
// start-of-game values and picks the first candy spot; the background
// colour, which comes from the configuration, is the main loop's to set.
void reset_game();
// Empties the trail ring's slots before a game.
void clear_trail();
// Remembers the start position as the ring's first slot; nothing is drawn yet.
void seed_trail();
// Draws the candy's next top-left corner at random, inside the border.
void pick_candy_position();
// Seeds the generator from the clock; called once at start-up.
void seed_random();
// Returns the next random number, in (0, 0.99999988].
double next_random();

#endif
