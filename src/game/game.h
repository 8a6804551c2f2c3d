// The game's rules: the candy, the step loop and the laser, on top of the
// game's record (record/state.h) and of what the player sees and hears
// (present).
#ifndef VORLIX_GAME_H
#define VORLIX_GAME_H

#include "../record/state.h"

// The keys of play, told apart by their character, case and all.
constexpr char fire_key = ' ';
constexpr char turn_left_key = 's';
constexpr char turn_right_key = 'l';

// Takes one key from the keyboard buffer and returns its character; keys are
// told apart by the character in the low 8 bits, case and all.
char read_key();

// Turns the old candy into a block and puts a new candy somewhere else.
void place_candy();
// Runs one game step by step until the snake dies.
void play_game(char &last_key, int &game_over);
// Fires the laser straight ahead of the head.
void fire_laser();

#endif
