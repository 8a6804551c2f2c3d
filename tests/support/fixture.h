// A fresh game on a fresh black test screen, with a fixed random seed.
#ifndef VORLIX_TEST_FIXTURE_H
#define VORLIX_TEST_FIXTURE_H

#include <gtest/gtest.h>

#include "fakes.h"
#include "game/game.h"
#include "present/present.h"
#include "screen.h"

// Empties every slot of the trail ring, as the main loop does before a game.
inline void clear_trail_slots()
{
    for (int i = 0; i <= trail_slots; i++)
        game_state.trail_x[i] = game_state.trail_y[i] = 0;
}

class on_screen : public ::testing::Test {
protected:
    void SetUp() override
    {
        start_test_screen();
        reset_fakes();
        rng_state = rng_state_t();
        rng_state.rng_seed = -2024;
        game_state.bg_color = 0;
        reset_game();
        clear_trail_slots();
        fill_screen(0);
    }
};

#endif
