// The step loop: the snake moves a pixel a step, keeps its length in a ring
// of past head positions and dies on anything that is not background.
#include "../present/present.h"
#include "game.h"

// Every tenth ring slot, the candy jumps elsewhere with this chance.
constexpr int relocation_every = 10;
constexpr double relocation_chance = 0.002;

char read_key()
{
    return (char)(readkey() & 0xff);
}

// Handles at most one key per step, so keys typed ahead are played in order.
static void read_input(char &last_key)
{
    if (!keypressed())
        return;
    last_key = read_key();
    game_state_t &g = game_state;
    if (last_key == fire_key) {
        fire_laser();
    } else if (last_key == turn_left_key) {  // counter-clockwise on screen
        if (g.dir_y == 0) {
            g.dir_y = -g.dir_x;
            g.dir_x = 0;
        } else {
            g.dir_x = g.dir_y;
            g.dir_y = 0;
        }
    } else if (last_key == turn_right_key) {  // clockwise on screen
        if (g.dir_y == 0) {
            g.dir_y = g.dir_x;
            g.dir_x = 0;
        } else {
            g.dir_x = -g.dir_y;
            g.dir_y = 0;
        }
    }
}

// Erases the oldest remembered pixel and remembers the new head in its slot.
static void move_tail_and_record()
{
    game_state_t &g = game_state;
    int32_t old_x = g.trail_x[g.trail_pos], old_y = g.trail_y[g.trail_pos];
    if (old_x != 0 && old_y != 0)
        putpixel(screen, old_x, old_y, pixel_of(g.bg_color));
    g.trail_x[g.trail_pos] = g.head_x;
    g.trail_y[g.trail_pos] = g.head_y;
    g.trail_pos++;
}

// Wraps the ring and lets it grow, up to the slots there are; the new slots
// are empty, so the snake lengthens by one pixel as each is first filled.
static void wrap_trail()
{
    game_state_t &g = game_state;
    if (g.trail_pos != g.trail_size)
        return;
    g.trail_pos = 1;
    g.trail_size += g.trail_size / 10 + 1;
    if (g.trail_size > trail_slots + 1)
        g.trail_size = trail_slots + 1;
    draw_status_bar();
}

// Now and then moves the candy elsewhere without scoring it.
static void maybe_relocate_candy()
{
    if (game_state.trail_pos % relocation_every != 0)
        return;
    if (next_random() < relocation_chance) {
        game_state.candy_count--;  // place_candy counts it back
        place_candy();
    }
}

// Moves the head onto its new pixel if that is background; otherwise ends the game.
static void collide(int &game_over)
{
    game_state_t &g = game_state;
    if (getpixel(screen, g.head_x, g.head_y) == pixel_of(g.bg_color)) {
        putpixel(screen, g.head_x, g.head_y, pixel_of(g.snake_color));
        g.distance++;
        pause_after_step();
    } else {
        show_game_over();
        game_over = 1;
    }
}

void play_game(char &last_key, int &game_over)
{
    game_state_t &g = game_state;
    while (game_over == 0) {
        read_input(last_key);
        g.head_x += g.dir_x;
        g.head_y += g.dir_y;
        // The tail goes before the head is tested, so the head may take the
        // pixel the tail has just freed.
        move_tail_and_record();
        wrap_trail();
        maybe_relocate_candy();
        collide(game_over);
    }
}
