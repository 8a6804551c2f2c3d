// Running the real step loop from a clean game frame with keys given by step.
#ifndef VORLIX_TEST_PLAY_H
#define VORLIX_TEST_PLAY_H

#include <map>

#include "fixture.h"

// Keys to hand over at given steps (1 = the first step of the game).
extern std::map<int, const char *> keys_at_step;

// A bare game frame with the trail seeded at the start position; no candy.
void set_up_bare_game();
// Plays until the snake dies, handing over keys_at_step; returns the last key.
char play_until_death();

#endif
